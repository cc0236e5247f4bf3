#ifndef ANSWERKINDS_H
#define ANSWERKINDS_H

#include "devices/base/basedevice.h"

#include <QByteArray>

// Which wired family a data answer (0xF0) is of, by the forms each family's
// protocol file names. The families' data answers differ in length, so one
// family's answer is never taken for another's; a form no family names is
// taken for none of them.
namespace answerkinds {

// The family whose data answer `frame` is (FuelSensor, AngleSensor or
// Plm300); Unknown for an answer to another request, or a form no family
// names.
BaseDevice::AnswerKind ofData(const QByteArray &frame);

// What a page serving the family `own` takes `frame` for: its own kind for a
// data answer of its family, the family of another one that names it;
// Unknown for a form no family names (a frame cut short, noise) and for an
// answer to another request (the serial answer every family gives alike).
BaseDevice::AnswerKind forPage(const QByteArray &frame, BaseDevice::AnswerKind own);

} // namespace answerkinds

#endif // ANSWERKINDS_H
