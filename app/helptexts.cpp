#include "app/helptexts.h"

#include <QCoreApplication>

#include <iterator>

namespace helptexts {
namespace {

struct PanelRow
{
    const char *widgets[6]; // object names sharing the text; unused slots are null
    const char *text;
};

struct NamedText
{
    const char *name;
    const char *text;
};

// Shown both in the help panel and by a question mark beside the same setting.
const char kFiltrationDegreeText[] = QT_TRANSLATE_NOOP(
    "Reriruvozive", "Выставьте степень фильтрации в зависимости от условий дальнейшей эксплуатации Для "
                    "медианной фильтрации:\n0-1 - стационарные емкости\n2-6 - транспорт, передвигающийся по "
                    "хорошим дорогам\n7-12 - транспорт, передвигающийся по плохим дорогам, тракторы, "
                    "сельхозтехника\n13-15 - для очень сильных вибраций и качек, карьерная и горно-шахтная "
                    "спецтехника\nДля умной фильтрации выберите степень фильтрации в соответствии с объемом "
                    "топливного бака");

// Panel texts, in the order the widgets are tried.
const PanelRow kPanelRows[] = {
    {{"comboBoxTypeFiltration"}, kFiltrationDegreeText},
    {{"comboBox_ModeDUT", "label_22DUT"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Режим – секция выбора режима работы датчика. После изменения режима не забудьте "
                       "сохранить                        изменения.")},
    {{"comboBox_FiltrDUT", "label_21DUT"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Фильтрация - функция усреднения значений за определённый промежуток времени для "
                       "исключения влияния                         на показания механических воздействий на "
                       "ёмкость с топливо или само топливо (например, "
                       "вибрация,                                                                              "
                       "                        непродолжительное движение транспортного средства по наклонной "
                       "поверхности).")},
    {{"lineEditNetNumDUT", "label_4DUT"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Сетевой адрес – сетевой адрес подключенного датчика. По умолчанию сетевой адрес "
                       "датчика 1 При                         необходимости изменения введите необходимый "
                       "сетевой номер и сохраните изменения.")},
    {{"comboBoxRangeDUT", "label_19DUT"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Мин. уровень – минимальное обработанное значение, которое формирует датчик в диапазоне "
                       "от 0 до 1023.                         Для изменения введите необходимое число и "
                       "сохраните изменения.")},
    {{"comboBox_SerialPort"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "СOМ* – виртуальный СОМ–порт для связи конфигуратора с ДУТ через преобразователь "
                       "интерфейса. После                         подключения преобразователя интерфейса "
                       "COM-порт определится автоматически, при условии, что                         корректно "
                       "установлен драйвер устройства и в ПК не имеется больше виртуальных COM-портов. В "
                       "противном                         случае нужный COM-порт необходимо выбрать из списка.")},
    {{"pushButtonService"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "<b>Обновить прошивку</b> – позволяет обновить/сменить программное обеспечение датчика. "
                       "Для запуска процесса                         прошивки отключите датчик от "
                       "преобразователя интерфейса (программатора), выберите файл "
                       "прошивки,                        затем подключите датчик обратно. Дождитесь пока "
                       "строка прогресса заполнится на 100%.<br>                         <b>Отменить "
                       "несохранённые настройки</b> – позволяет отменить внесенные изменения при настройке "
                       "датчика.                         Применяется в случае, если были внесены изменения "
                       "(без записи в устройство), но в процессе                        конфигурирования "
                       "специалист забыл какие именно настройки были подготовлены к "
                       "изменению.<br>                         <b>Загрузить заводские настройки</b> – "
                       "позволяет вернуть настройки датчика до заводских.<br>                         "
                       "<b>Инженерное меню</b> – меню настроек дополнительных возможностей "
                       "датчиков.                        <b>Безопасность</b> - функция позволяет установить "
                       "пароль на изменение настроек датчика. После установки                        пароль "
                       "вступит в силу (не даст изменить настройки) как только отключить датчик от программы "
                       "для                        настройки. Для изменения настроек необходимо сначала ввести "
                       "пароль. Чтоб удалить пароль введите его и                        нажмите "
                       "соответствующую кнопку.")},
    {{"ButtonTarirovka"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Переход в раздел «Тарировка», где осуществляется и сохраняется "
                                       "порционное                         градуирование топливной емкости.")},
    {{"groupBoxInv"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Инверсия индикатора – меняет логику работы выхода датчика, подключаемого к штатному "
                       "стрелочному                         указателю авто. Функция необходима, если "
                       "стрелочный индикатор уровня топлива работает с обратной                         "
                       "логикой, то есть при полном баке сопротивление нулевое, а при пустом максимальное. "
                       "Примером                         использование данной функции является подключение к "
                       "стрелочному указателю авто семейства ГАЗ.")},
    {{"groupBoxAngle"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Режим передачи угла наклона – включает функцию передачи датчиком показание "
                       "акселерометра. <br>Актуально                         для модели КФ-470. Передача "
                       "значения угла отклонения осуществляется по протоколу LLS "
                       "следующим                         сетевым адресом относительно адреса данных уровня "
                       "топлива. Например, если данные по уровню топлива                         передаются по "
                       "сетевому адресу 1, то значение угла будет по сетевому адресу 2")},
    {{"groupBox_Master"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Режим Master – переключает датчик в режим опроса интерфейса RS-485. В этом режиме есть "
                       "возможность по                         интерфейсу RS-485 подключить к датчику Master "
                       "до 7 датчиков Slave, работающих по протоколу LLS (если "
                       "в                                                                                      "
                       "                                   датчике не установить режим Master, то он "
                       "автоматически будет являться Slave устройством). В свою                         "
                       "очередь датчик Master передает эти и свои данные по интерфейсу Пассивный RS-232 в "
                       "формате ASCII без запроса от                         внешних устройств. Актуально для "
                       "модели КФ-470.")},
    {{"groupBox_DelTermo"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Отключить термокомпенсацию – позволяет отключить внутренний алгоритм коррекции уровня "
                       "от изменения                         температуры. Использовать не рекомендуется.")},
    {{"groupBox_EkoDrive"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Экодрайвинг – включает режим передачи данных по качеству вождения. Данные передаются "
                       "по протоколу                         LLS в диапазоне от 0 до 15 Передача значения "
                       "осуществляется следующим сетевым адресом относительно                         адреса "
                       "данных уровня топлива. Например, если данные по уровню топлива передаются по сетевому "
                       "адресу 1,                         то оценка качества вождения будет по сетевому адресу "
                       "2 Актуально для модели КФ-470.")},
    {{"groupBoxLamp"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Порог срабатывания лампы – устанавливает процентное соотношение минимального остатка "
                       "топлива, при                         котором включится лампа аварийного остатка "
                       "штатного индикатора уровня топлива.")},
    {{"pushBtnManualInput", "pushBtnManualInputBLE"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Выводит окно, где возможно осуществить ручную                         "
                                       "установку/редактирование конфигураций «Полный» и «Пустой».")},
    {{"pushBtnCalcLtrPrc"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Включает функцию пересчета по тарировочной таблице и                         получения "
                       "данных в литрах или процентах. Так же выводит окно для ввода и сохранения "
                       "тарировочной                         таблицы в память датчика. Актуально для моделей "
                       "КФ-410 и КФ-470.")},
    {{"RemoteControl"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Дистанционное управление – меню, где есть возможность сформировать команду для запроса "
                       "конфигурации                         и изменения некоторых параметров датчиков «Мирвел "
                       "КФ», которые подключены к навигационному                         терминалу по "
                       "интерфейсу RS-485. Сформированная команда отправляется посредством SMS, либо "
                       "через                         сервер.")},
    {{"lineEditStepTar", "label_StepTar"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Объем заливаемой/сливаемой порции топлива при тарировании. При                         "
                       "нажатии кнопки «Добавить строку» в таблицу автоматически записывается текущее значение "
                       "датчика, а в                         столбец «Литры» записывается значение большее на "
                       "шаг заправки.")},
    {{"pushButtonAdSensorTar"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Добавляет столбец с информацией о подключенном датчике для "
                       "последующего                         заполнения данными по процессу тарирования.")},
    {{"pushButtonDelSensorTar"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Удаляет последний столбец тарировочной таблицы, где находятся данные по тарируемому "
                       "датчику")},
    {{"pushButtonAdPortionTar"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Добавляет строку в тарировочную таблицу и вносит текущее показание уровня.")},
    {{"pushButtonDelPortionTar"}, QT_TRANSLATE_NOOP("Reriruvozive", "Удаляет последнюю строку в тарировочной таблице")},
    {{"pushButtonEndTar"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Сохраняет тарировочную таблицу и завершает процесс тарирования.")},
    {{"comboBox_NetNumDUT", "label_ReqNetNumDUT"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Позволяет выбрать датчик из списка, если подключено несколько "
                       "датчиков                         одновременно, для последующей настройки. При "
                       "подключении к преобразователю интерфейса нескольких                         датчиков "
                       "(с разными сетевыми адресами) в этой строке есть возможность переключаться между "
                       "датчика                         выбрав необходимый сетевой адрес из списка.")},
    {{"ButtonWriteParamDUT", "ButtonWriteParamBLE"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Сохраняет изменения настроек в датчике.")},
    {{"pushButtonDeviceFLS", "pushButtonBLE"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Кнопка выбора интерфейса настройки датчиков уровня топлива.")},
    {{"label_NameListDevDUT", "label_ListDevDUT"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Отображает список сетевых адресов датчиков, подключенных к преобразователю интерфейса")},
    {{"label_NameUrovenDUT", "label_UrovenDUT"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Отображает текущий уровень топлива в выбранном диапазоне.")},
    {{"label_FreqNameDUT", "label_FreqValDUT"}, QT_TRANSLATE_NOOP("Reriruvozive", "Отображает частоту.")},
    {{"label_NaprNameDUT", "label_NaprValDUT"}, QT_TRANSLATE_NOOP("Reriruvozive", "Отображает напряжение.")},
    {{"label_TempNameDUT", "label_TempValDUT"}, QT_TRANSLATE_NOOP("Reriruvozive", "Температура датчика.")},
    {{"label_FirmwareName", "label_FirmwareVal"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Версия программного обеспечения (прошивки) датчика.")},
    {{"label_SerNumVal", "label_SerNumName"}, QT_TRANSLATE_NOOP("Reriruvozive", "Серийный номер датчика.")},
    {{"label_RSSIPicBLE", "label_RSSI_VAL_BLE"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Показатель RSSI, то есть уровень приема сигнала (полная мощность принимаемого "
                       "приёмником сигнала).                        При значении менее -80дБм возможна потеря "
                       "связи.")},
    {{"label_BatPicBLE", "label_BAT_VAL_BLE"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Уровень заряда батареи. При значении менее 3,2В возможно отключение или некорректная "
                       "работа датчика.")},
    {{"pushBtnChangeBaseLinkIDBLE"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Функция позволяет сменить привязанный к базе датчик.                        Для этого "
                       "необходимо ввести серийный номер датчика, который хотите привязать.")},
    {{"pushBtnInUpdBase"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Кнопка запуска режима обновления программного обеспечения "
                       "адаптера.                        Дальнейший алгоритм действий появится при нажатии на "
                       "кнопку.")},
    {{"pushBtnInUpdBLE"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "кнопка запуска режима обновления программного обеспечения датчика.Дальнейший алгоритм "
                       "действий появится при нажатии на кнопку.")},
    {{"labelPicBLE_Small", "labelNameDUTBLE", "label_SerNumNameBLE", "label_FirmwareNameBLE", "label_SerNumValBLE",
      "label_FirmwareValBLE"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Секция, где отображается версия программного обеспечения подключенного датчика.")},
    {{"label_PicBLE_BaseSmall", "labeNamelBaseBLE"},
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Секция, где отображается версия программного обеспечения подключенного адаптера.")},
    {{"label_LockBLE_BLE", "label_LockDUT"},
     QT_TRANSLATE_NOOP("Reriruvozive", "Индикация наличия/отсутствия пароля датчика")},
};

const NamedText kQuestionMarkRows[] = {
    {"labelQuestionPict",
     QT_TRANSLATE_NOOP("Reriruvozive", "Выбрать одно из подключенных устройство для его настройки")},
    {"labelQuestionPict_2",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Выбрать один из доступных режимов работы датчика - выбирайте в зависимости от того, "
                       "какой интерфейс будет использоваться на принимающем устройстве")},
    {"labelQuestionPict_3",
     QT_TRANSLATE_NOOP("Reriruvozive", "Настройка выдачи уровня топлива в определенном диапазоне")},
    {"labelQuestionPict_4",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Один из двух доступных алгоритмов сглаживания\nЕсли при эксплуатации заправка будет "
                       "производиться как на АЗС (со скоростью не более 50 л/мин), так и канистрами/ведрами, "
                       "то выберите медианный алгоритм фильтрации\nЕсли заправка будет производиться только на "
                       "АЗС (со скоростью не более 50 л/мин), то можно выбрать умный алгоритм фильтрации")},
    {"labelQuestionPict_5", kFiltrationDegreeText},
    {"labelQuestionPict_6",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "При необходимости Вы можете поменять сетевой адрес датчика в этом поле - просто "
                       "введите новый адрес.Избегайте конфликта сетевых адресов с другими датчиками")},
    {"labelQuestionPict_7",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Только после нажатия этой кнопки новые настройки будут записаны в память устройства")},
    {"labelQuestionPict_10",
     QT_TRANSLATE_NOOP("Reriruvozive", "Сетевые адреса всех доступных для подключения устройств")},
};

const NamedText kOnlineQuestionMarkRows[] = {
    {"online_time_send", QT_TRANSLATE_NOOP("Reriruvozive", "Период отправки в секундах")},
    {"online_gps",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "GPS/ГЛОНАСС - количество спутников GPS и ГЛОНАСС, участвующих в определении координат.")},
    {"online_quality",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Качество сигнала - соотношение уровня приема сигнала от спутников к уровню помех. Чем "
                       "выше коэффициент, тем лучше уровень приема сигнала. Хорошим уровнем приема сигнала "
                       "считается коэффициент выше 30.")},
    {"online_status",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Статус подключения - информация об этапах запуска датчика и подключения к серверу.")},
    {"online_trafic",
     QT_TRANSLATE_NOOP("Reriruvozive", "Трафик - количество переданных сообщений на сервер с момента подачи питания")},
    {"online_uvx", QT_TRANSLATE_NOOP("Reriruvozive", "Uвх - напряжение питания датчика")},
    {"online_operator",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Выбор оператора - меню выбора оператора сотовой сети, чья SIM карта используется. "
                       "Позволяет автоматически загрузить в настройки датчика стандартные настройки сотовой "
                       "сети выбранного оператора. Для ручного настроек выберите \"Другой\"")},
    {"online_accessdot",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Точка доступа - настройка GPRS мобильного оператора, через которую пользователь "
                       "подключается к услуге передачи данных.")},
    {"online_user", QT_TRANSLATE_NOOP("Reriruvozive", "Пользователь - логин для подключения услуги передачи данных")},
    {"online_password", QT_TRANSLATE_NOOP("Reriruvozive", "Пароль - пароль для подключения услуги переадчи данных")},
    {"online_pin",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Пин код SIM - пин код SIM карты (если проверка пин кода отключена, то пропустите этот "
                       "пункт)")},
    {"online_addressserver",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Адрес - IP адрес или доменное имя сервера, к которому подключается датчик для передачи "
                       "данных")},
    {"online_portserver",
     QT_TRANSLATE_NOOP("Reriruvozive", "Порт - номер порта на сервере, на который передаются данные")},
    {"online_pass_access",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Пароль доступа - пароль, по которому осуществляется регистрация на сервере (при "
                       "необходимости использования указывается в настройках датчика и в настройках на сервере)")},
    {"online_egts",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Протокол ЕГТС - переключение фомата передачи данных датчиком в формат протокола ЕГТС "
                       "(по умолчанию используется протокол Wialon IPS)")},
    {"online_filtering",
     QT_TRANSLATE_NOOP("Reriruvozive",
                       "Фильтрация - сглаживание измерений уровня топлива. Используется для фильтрации "
                       "кратковременных скачков показаний уровня топлива при эксплуатации датчика на ТС "
                       "(вибрация, колебания топлива в баке в движении ТС и т.п.)")},
    {"online_udp", QT_TRANSLATE_NOOP("Reriruvozive", "Включение или отключение протокола UDP")},
};

const char kTubeBreakText[] =
    QT_TRANSLATE_NOOP("Reriruvozive", "Измерительные трубки оторвались от платы в результате внешнего "
                                      "механического воздействия. Необходима замена датчика. Также проверьте "
                                      "правильность калибровок - вероятно, калибровка пустого бака неверна");
const char kShortCircuitText[] =
    QT_TRANSLATE_NOOP("Reriruvozive", "В пространство между двумя измерительными трубками попала вода, грязь или "
                                      "металлическая стружка. Необходима продувка/промывка. Также проверьте "
                                      "правильность калибровок - вероятно, калибровка полного бака неверна");

QString translated(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

QString lookUp(const NamedText *rows, int count, const QString &name)
{
    for (int i = 0; i < count; ++i) {
        if (name == QLatin1String(rows[i].name))
            return translated(rows[i].text);
    }
    return QString();
}

QStringList names(const NamedText *rows, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QLatin1String(rows[i].name);
    return list;
}

} // namespace

QString panelText(const QString &objectName)
{
    if (objectName.isEmpty())
        return QString();
    for (const PanelRow &row : kPanelRows) {
        for (const char *widget : row.widgets) {
            if (widget && objectName == QLatin1String(widget))
                return translated(row.text);
        }
    }
    return QString();
}

QString questionMarkText(const QString &objectName)
{
    return lookUp(kQuestionMarkRows, int(std::size(kQuestionMarkRows)), objectName);
}

QString onlineQuestionMarkText(const QString &objectName)
{
    return lookUp(kOnlineQuestionMarkRows, int(std::size(kOnlineQuestionMarkRows)), objectName);
}

QString levelFaultText(int levelWord)
{
    if (levelWord == kTubeBreak)
        return translated(kTubeBreakText);
    if (levelWord == kShortCircuit)
        return translated(kShortCircuitText);
    return QString();
}

QStringList panelWidgetNames()
{
    QStringList list;
    for (const PanelRow &row : kPanelRows) {
        for (const char *widget : row.widgets) {
            if (widget)
                list << QLatin1String(widget);
        }
    }
    return list;
}

QStringList questionMarkNames()
{
    return names(kQuestionMarkRows, int(std::size(kQuestionMarkRows)));
}

QStringList onlineQuestionMarkNames()
{
    return names(kOnlineQuestionMarkRows, int(std::size(kOnlineQuestionMarkRows)));
}

int popUpRows(int characters)
{
    int rows = characters / 25;
    if (characters >= 275)
        rows -= 4;
    return rows;
}

} // namespace helptexts
