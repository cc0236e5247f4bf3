// The remote command page: lines for a vehicle's tracker that carry fuel
// sensor commands, and the decoding of the answer the tracker reports back.
// Nothing here touches the serial port.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "remote/remoteanswer.h"
#include "remote/remotecommand.h"
#include "ui/boundedintvalidator.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMessageBox>

namespace {

QString translatedRemoteText(const QString &source)
{
    return QCoreApplication::translate(remote::kContext, source.toUtf8().constData());
}

void addRemoteItems(QComboBox *box, const QStringList &sources, bool translate = true)
{
    for (const QString &source : sources)
        box->addItem(translate ? translatedRemoteText(source) : source);
}

// Says a list's items again in the current language; the list keeps its
// items and the one chosen.
void retranslateRemoteItems(QComboBox *box, const QStringList &sources)
{
    for (int i = 0; i < sources.size() && i < box->count(); ++i)
        box->setItemText(i, translatedRemoteText(sources.at(i)));
}

} // namespace

void Reriruvozive::initUIRC()
{
    // The tag reader's mode list, in the order of its positions.
    ui->comboBoxModeWT->addItem(tr("Режим Метка"));
    ui->comboBoxModeWT->addItem(tr("Режим Считыватель"));

    addRemoteItems(ui->comboBoxRemoteControl, remote::commandTexts());
    // The level list starts in the median form of the first filter type.
    addRemoteItems(ui->comboBoxFiltrRemoteControl, remote::filterLevelTexts(remote::kMedianFilterType),
                   remote::filterLevelsTranslated(remote::kMedianFilterType));
    for (QWidget *w : {static_cast<QWidget *>(ui->comboBoxFiltrRemoteControl),
                       static_cast<QWidget *>(ui->comboBoxTypeFiltrRemoteControl),
                       static_cast<QWidget *>(ui->label_4RC), static_cast<QWidget *>(ui->label_3RC),
                       static_cast<QWidget *>(ui->label_5RC), static_cast<QWidget *>(ui->comboBoxModeRemoteControl)})
        w->hide();
    addRemoteItems(ui->comboBoxModeRemoteControl, remote::modeTexts());
    addRemoteItems(ui->comboBoxTypeFiltrRemoteControl, remote::filterTypeTexts());

    BoundedIntValidator::install(ui->lineEditNetNumRemoteControl, 0, remote::kNetNumTop);
    BoundedIntValidator::install(ui->lineEditPassRemoteControl, 0, remote::kPasswordTop);

    ui->pushBtnBackRemoteControl->setIcon(QIcon(pixmapArrow));
    ui->pushBtnBackRemoteControl->setIconSize(pixmapArrow.size());
}

void Reriruvozive::on_comboBoxRemoteControl_activated(int index)
{
    const std::optional<remote::Command> command = remote::commandAt(index);
    if (!command)
        return;

    QWidget *const modeAndFilter[] = {ui->comboBoxFiltrRemoteControl,
                                      ui->comboBoxTypeFiltrRemoteControl,
                                      ui->comboBoxModeRemoteControl,
                                      ui->label_3RC,
                                      ui->label_4RC,
                                      ui->label_5RC};
    if (*command == remote::Command::SetMode) {
        ui->label_2RC->hide();
        ui->lineEditPassRemoteControl->hide();
        for (QWidget *w : modeAndFilter)
            w->show();
        return;
    }

    if (const std::optional<remote::ValueInput> input = remote::valueInputOf(*command)) {
        ui->lineEditPassRemoteControl->clear();
        ui->lineEditPassRemoteControl->show();
        BoundedIntValidator::install(ui->lineEditPassRemoteControl, 0, input->top);
        ui->label_2RC->show();
        showRemoteCaption();
    } else {
        // A request carries no value; what was typed stays for the next pick.
        ui->lineEditPassRemoteControl->hide();
        ui->label_2RC->hide();
    }
    for (QWidget *w : modeAndFilter)
        w->hide();
}

void Reriruvozive::showRemoteCaption()
{
    const std::optional<remote::Command> command = remote::commandAt(ui->comboBoxRemoteControl->currentIndex());
    const std::optional<remote::ValueInput> input = command ? remote::valueInputOf(*command) : std::nullopt;
    if (input)
        ui->label_2RC->setText(translatedRemoteText(QString::fromUtf8(input->caption)));
}

void Reriruvozive::retranslateRemotePage()
{
    // The form put its own caption back: the chosen command's is shown.
    showRemoteCaption();
    retranslateRemoteItems(ui->comboBoxRemoteControl, remote::commandTexts());
    retranslateRemoteItems(ui->comboBoxModeRemoteControl, remote::modeTexts());
    retranslateRemoteItems(ui->comboBoxTypeFiltrRemoteControl, remote::filterTypeTexts());
    const int filterType = ui->comboBoxTypeFiltrRemoteControl->currentIndex();
    if (remote::filterLevelsTranslated(filterType))
        retranslateRemoteItems(ui->comboBoxFiltrRemoteControl, remote::filterLevelTexts(filterType));
}

void Reriruvozive::on_comboBoxTypeFiltrRemoteControl_activated(int index)
{
    ui->comboBoxFiltrRemoteControl->clear();
    addRemoteItems(ui->comboBoxFiltrRemoteControl, remote::filterLevelTexts(index),
                   remote::filterLevelsTranslated(index));
}

unsigned char Reriruvozive::getModeRC()
{
    return remote::modeCode(ui->comboBoxModeRemoteControl->currentIndex());
}

unsigned char Reriruvozive::getFiltrRC()
{
    return remote::filterCode(ui->comboBoxTypeFiltrRemoteControl->currentIndex(),
                              ui->comboBoxFiltrRemoteControl->currentIndex());
}

void Reriruvozive::on_pushButtonGenRemoteControl_clicked()
{
    // Empty or unreadable fields count as 0.
    const uint netNum = ui->lineEditNetNumRemoteControl->text().toUInt();
    const std::optional<remote::Command> command = remote::commandAt(ui->comboBoxRemoteControl->currentIndex());
    // A number beyond the bus's range cannot be typed; one put there another
    // way would address some other sensor, so no line is made for it.
    if (!command || netNum > remote::kNetNumTop)
        return;

    remote::Inputs inputs;
    inputs.netNum = static_cast<quint8>(netNum);
    inputs.value = ui->lineEditPassRemoteControl->text().toUInt();
    inputs.modeCode = getModeRC();
    inputs.filterCode = getFiltrRC();
    ui->lineEditGenRemoteControl->setText(remote::commandLine(*command, inputs));
}

void Reriruvozive::on_pushButtonReadRC_clicked()
{
    const QString text = ui->lineEditGenRemoteControl->text();
    qDebug() << text.size();
    const remote::DecodedAnswer decoded = remote::decodeAnswer(text);
    switch (decoded.verdict) {
    case remote::AnswerVerdict::TooShortText:
        QMessageBox::information(this, QStringLiteral("Информация"),
                                 QStringLiteral("Строка ввода ответа пустая\nили ответ слишком короткий!\n"
                                                "Проверьте правильность ввода."));
        qDebug() << "answer text empty or too short";
        return;
    case remote::AnswerVerdict::NoAnswerStart:
        qDebug() << "answer text holds no answer start, nothing to decode";
        return;
    case remote::AnswerVerdict::Incorrect:
        QMessageBox::warning(this, tr("Внимание!"), tr("Введён некорректный ответ!\nПроверьте правильность ввода"));
        return;
    case remote::AnswerVerdict::Decoded:
        QMessageBox::about(this, remote::answerTitle(decoded.answer.command), remote::answerReport(decoded.answer));
        return;
    }
}
