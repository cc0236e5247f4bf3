#ifndef BYTELENGTHVALIDATOR_H
#define BYTELENGTHVALIDATOR_H

#include <QValidator>

// Refuses a text whose UTF-8 form is longer than a fixed number of bytes: a
// field a device keeps in so many bytes takes no more, whatever characters
// are typed or pasted.
class ByteLengthValidator : public QValidator
{
    Q_OBJECT
public:
    ByteLengthValidator(int maxBytes, QObject *parent);

    State validate(QString &input, int &pos) const override;
    int maximum() const { return maxBytes; }

private:
    int maxBytes;
};

#endif // BYTELENGTHVALIDATOR_H
