#ifndef BOUNDEDINTVALIDATOR_H
#define BOUNDEDINTVALIDATOR_H

#include <QIntValidator>

// An integer validator that refuses, while the user types, a number above its
// top. QIntValidator lets such a number stand as intermediate input as long
// as it has no more digits than the top, so a field for 0..255 would hold
// "300" and a frame built from it would address the wrong device.
class BoundedIntValidator : public QIntValidator
{
    Q_OBJECT
public:
    BoundedIntValidator(int bottom, int top, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};

#endif // BOUNDEDINTVALIDATOR_H
