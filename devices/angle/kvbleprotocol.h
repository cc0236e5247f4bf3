#ifndef KVBLEPROTOCOL_H
#define KVBLEPROTOCOL_H

#include <QtGlobal>

// Byte-level work of the wireless angle sensor reached through the USB base,
// free of widgets: request builders, answer decoders, named commands.
namespace kvble {

// The page's last-command field while no command waits for its answer.
constexpr quint8 kNoCommand = 0xFF;

} // namespace kvble

#endif // KVBLEPROTOCOL_H
