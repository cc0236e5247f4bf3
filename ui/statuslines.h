#ifndef STATUSLINES_H
#define STATUSLINES_H

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// Two lines of status text at the foot of a page: the lower one says whether
// the device is connected, the upper one carries a passing remark. Until
// create() the lines do not exist and every call reports false.
class StatusLines
{
public:
    void create(QWidget *page, const QString &lowerText);
    bool setLower(const QString &text);
    bool setUpper(const QString &text);
    bool setVisible(bool visible);
    QLabel *lower() const { return lowerLabel; }
    QLabel *upper() const { return upperLabel; }

private:
    QLabel *lowerLabel = nullptr;
    QLabel *upperLabel = nullptr;
    QFont font;
};

#endif // STATUSLINES_H
