<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
<context>
    <name>AdwertDialog</name>
    <message>
        <source>Установить соединение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите номер датчика и пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Для ДУТ QF BLE введите QF_XXXXXX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Для датчика освещённости введите YQ_XXXXXX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Для датчика угла введите KV_XXXXXX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>где XXXXXX - серийный номер датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите пароль: число от 0 до %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BLEAdwView</name>
    <message>
        <source>t °C, H %, U Volt, RSSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Па, t °C, U Volt, RSSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>t °C, H %, Hall 1/0, RSSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lux, H %, t °C, RSSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Па, H %, t °C, RSSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>t °C, Hall 1/0, Lux, RSSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Набор передаваемых параметров:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Освещенность</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Давление</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отправлять доп. параметры по сети</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключить датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>°C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Влажность</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключить другой</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BLEDevice</name>
    <message>
        <source>1-1023</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1-4095</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет показаний датчика
Дождитесь их и повторите калибровку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите другое</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен VO-DIZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введён не верный пароль датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>°C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UUID ВТ датчика успешно изменен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S/N ВТ датчика успешно изменен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Директивная калибровка ВТ датчика произведена успешно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровка уровня полного ВТ датчика произведена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровка уровня пустого ВТ датчика произведена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установлены заводские настройки ВТ датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик переведен в режим сна</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка изменения UUID ВТ датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка изменения S/N ВТ датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка изменения пароля ВТ датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка директивной калибровки ВТ датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим работы ВТ датчика установлен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка установки режима</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите число от %1 до %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установите другой сетевой адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполняется подключение...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас в мобильном приложении NRFConnect должно отобразиться устройство BASE_UPDATE
Подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой
Дождитесь, когда шкала прогресса достигнет 100% и осуществите повторное подключение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BaseDevice</name>
    <message>
        <source>Ошибка
Введён неверный пароль
Попробуйте другой пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой адрес %1 уже занят другим датчиком</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключите и включите питание датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>датчик уровня топлива</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>датчик угла наклона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>датчик ПЛМ-300</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BoundedIntValidator</name>
    <message>
        <source>Введите целое число от %1 до %2, только цифры</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalibrationDialogs</name>
    <message>
        <source>Сохранить файл</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CustomDialogInput</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Полный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DynamicQDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FLSDevice</name>
    <message>
        <source> </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Умная</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Медианная</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пассивный RS-485</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1-1023</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1-4095</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>до 200 литров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тяжёлые условия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обрыв трубок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Короткое замыкание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Аналоговый</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Импупльсный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Активный RS-485</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пассивный RS-232</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Активный RS-232</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>тяжёлые условия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен QF410</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен QF210</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен QF260</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен QF470</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблица успешно прочитана</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет показаний датчика
Калибровка не выполнена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик не ответил</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новый пароль успешно установлен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка пароля не подтверждена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль успешно удалён</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка удаления пароля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаление пароля не подтверждено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль не удалён</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не отвечает</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Выберите один файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл не найден:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirmwareUpdater</name>
    <message>
        <source>Выберете файл прошивки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл прошивки должен соответствовать модели датчика
Возможно, файл повреждён
Выберите другой файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переподключите питание датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Осталось %1 с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прошивка не обновлена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика, осталось %1 с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка в обновлении</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Идёт обновление прошивки датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик остаётся в режиме загрузчика до выключения и включения его питания</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновление прошивки через этот преобразователь не было завершено, датчик может оставаться в режиме загрузчика
Выключите и включите питание датчика, затем нажмите OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузчик датчика не в начале загрузки прошивки
Выключите и включите питание датчика, затем начните обновление снова</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик не сообщил свою модель
Обновление прошивки невозможно</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KV380Device</name>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Гц</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен КВ-380</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дельта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Верх</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KVBLEDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите другое</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен KV-BLE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введён не верный пароль датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Значение вне допустимого диапазона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Идёт запись параметров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>После завершения операции это окно автоматически закроется</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер датчика: число от 0 до %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполняется подключение...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устанорвлен горизонт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установлена задержка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка установки задержки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>бездействие</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>вращение
против часовой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>вращение
по часовой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>был превышен верхний
и не ниже нижнего</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>не работает</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>работает</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LiterToPercent</name>
    <message>
        <source>Записать
в датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считать
из датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выгрузить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Литры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Проценты</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось открыть файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Строка %1 файла не прочитана.
Таблица не изменена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В файле больше 20 строк.
Таблица не изменена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл пуст.
Таблица не изменена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MirvelNet</name>
    <message>
        <source>№ Ячейки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считыватель-индикатор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метка с питанием</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мост Slave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мост Master</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мост Slave Частотный выход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мост Master Частотный выход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим идентификации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим вертикального вращения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим горизонтального вращения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим датчика угла</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим контроля переворота</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Минимум. 18 метров.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Максимум. 50 метров.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MyItemDelegateForCell</name>
    <message>
        <source>Введите число до 999999999, дробную часть одной цифрой после точки</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>N7Device</name>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ед. Датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Литры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Активный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пассивный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен Н7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PLM300Device</name>
    <message>
        <source>PLM300</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пассивный RS-485</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частотный режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен ПЛМ-300</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PasswordQuestion</name>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Беспроводной датчик не ответил</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка пароля ВТ датчика не подтверждена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ввод пароля ВТ датчика не подтверждён</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFOnline</name>
    <message>
        <source>инициализация
модема</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>чтение SIM
карты</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>регистрация
в сети</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>подключение
к GPRS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>подключение
к серверу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>регистрация
на сервере</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>подключен
к серверу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки прочитаны</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сначала прочитайте настройки устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устройство ещё не ответило</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>другой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Недопустимое значение: %1
Введите число от %2 до %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устройство отклонило команду</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устройство не ответило</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новый пароль успешно установлен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка пароля не подтверждена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль не удалён</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка удаления пароля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль успешно удалён</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаление пароля не подтверждено</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Один экземпляр приложения уже запущен</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemoteCommand</name>
    <message>
        <source>Аналоговый</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Импульсный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Активный RS-485</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Медианный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интеллектуальный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>до 200 литров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>больше 1000 литров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>тяжёлые условия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Некорректный режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Некорректный диапазон</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Некорректный тип</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Некорректный уровень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Значение пустого</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Значение полного</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тип сглаживания</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень сглаживания</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия микропрограммы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В ответе содержится:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ответ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ввести пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запрос состояния</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запросить версию прошивки и серийный номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить уровень пустого</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить уровень полного</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS-485 + 1023</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Активный RS-485 + 1023</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS-485 + 4095</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Активный RS-485 + 4095</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите числовой пароль (макс. 9 цифр)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите смещение в у.е.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите значение пустого</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите значение полного</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reriruvozive</name>
    <message>
        <source>Изменить сет. адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Степень фильтрации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровка
датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частота</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать параметры в устройство</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Требуется калибровка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Опросить сет. адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устройства в сети</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ДУТ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BLE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>КВ380</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Тарировка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сервис</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Справка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uвых =</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тип фильтрации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GroupBox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ser Num</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Ser Num</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CNT=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фильтрация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адаптер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>скопировано</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите S/N датчика для подключения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка нуля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Угол, град</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Событие
сработки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>бездействие</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вращение горизонтальное</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вращение вертикальное</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отвал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Низ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Контроль угла</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Транспортировочный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Зад.выкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ковш</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Верх</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Зад.вкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка QF BLE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка BLE приёмника</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка KV BLE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Страница</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Литры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить порцию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Добавить порцию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Возобновить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>л</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Шаг,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ТАРИРОВКА</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Опросить сетевой
адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задержка вкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задержка выкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мусоровоз</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Самосвал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мастер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Угол,град.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузить таблицу из файла</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задать адрес датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Опрашивать датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задать/Ввести пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер датчика (1-4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить таблицу в файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тарировочная таблица</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Опрашивается:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сет. адрес датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установки датчика:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Расстояние</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Максимум</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Минимум</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMEI:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Статус подключения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Трафик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Качество сигнала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPS/Глонасс</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uвх</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор оператора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пин код SIM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точка доступа</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Период отправки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Протокол ЕГТС</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль доступа</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки GSM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки сервера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Читать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UDP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Горизонт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки RS485</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Данные</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3 канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Двигатель
ЗАВЕДЁН</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Двигатель
ЗАГЛУШЕН</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задать
пустой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задать
полный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим считывателя</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Доп. параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задержка обнуления</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Привязать метку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№ ячейки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показать привязанные ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отвязать все метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частотный выход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущий сетевой адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задать сетевой адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия П.О.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задать ID метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Период</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущий ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задержка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность сигнала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мост</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Данные со SLAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частотный сигнал:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер SLAVE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень сигнала SLAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Десятичный формат</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка режима</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить сер номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сменить сет.номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R-KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ДИСТАНЦИОННОЕ УПРАВЛЕНИЕ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сгенерировать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите числовой пароль (макс. 9 цифр)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберите уровень фильтрации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скопируйте строку и вставьте её в файл для отправки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Расшифровать ответ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаленнный сетевой номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберете режим + диапазон</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИНЖЕНЕРНЫЕ НАСТРОЙКИ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровать 
 горизонтальное
положение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ручной ввод Полный/Пустой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пересчитать в литры / %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог срабатывания лампы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Установить  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим Master</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим передачи угла наклона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инверсия индикатора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Экодрайвинг</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Передавать cерийный номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчики Slave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>НАСТРОЙКИ ПРОГРАММЫ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Внешний вид</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ПРОШИВКА BLE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вход в режим 
прошивки для адаптера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вход в режим 
прошивки для BLE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PushButton</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>русский</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>английский</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>испанский</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>светлый</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>тёмный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим Считыватель</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим Метка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось подключиться к датчику
Повторите попытку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мирвел Конфигуратор %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите
преобразователь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Проверьте подключение преобразователя!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выставьте степень фильтрации в зависимости от условий дальнейшей эксплуатации Для медианной фильтрации:
0-1 - стационарные емкости
2-6 - транспорт, передвигающийся по хорошим дорогам
7-12 - транспорт, передвигающийся по плохим дорогам, тракторы, сельхозтехника
13-15 - для очень сильных вибраций и качек, карьерная и горно-шахтная спецтехника
Для умной фильтрации выберите степень фильтрации в соответствии с объемом топливного бака</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим – секция выбора режима работы датчика. После изменения режима не забудьте сохранить                        изменения.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фильтрация - функция усреднения значений за определённый промежуток времени для исключения влияния                         на показания механических воздействий на ёмкость с топливо или само топливо (например, вибрация,                                                                                                      непродолжительное движение транспортного средства по наклонной поверхности).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой адрес – сетевой адрес подключенного датчика. По умолчанию сетевой адрес датчика 1 При                         необходимости изменения введите необходимый сетевой номер и сохраните изменения.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мин. уровень – минимальное обработанное значение, которое формирует датчик в диапазоне от 0 до 1023.                         Для изменения введите необходимое число и сохраните изменения.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>СOМ* – виртуальный СОМ–порт для связи конфигуратора с ДУТ через преобразователь интерфейса. После                         подключения преобразователя интерфейса COM-порт определится автоматически, при условии, что                         корректно установлен драйвер устройства и в ПК не имеется больше виртуальных COM-портов. В противном                         случае нужный COM-порт необходимо выбрать из списка.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Обновить прошивку&lt;/b&gt; – позволяет обновить/сменить программное обеспечение датчика. Для запуска процесса                         прошивки отключите датчик от преобразователя интерфейса (программатора), выберите файл прошивки,                        затем подключите датчик обратно. Дождитесь пока строка прогресса заполнится на 100%.&lt;br&gt;                         &lt;b&gt;Отменить несохранённые настройки&lt;/b&gt; – позволяет отменить внесенные изменения при настройке датчика.                         Применяется в случае, если были внесены изменения (без записи в устройство), но в процессе                        конфигурирования специалист забыл какие именно настройки были подготовлены к изменению.&lt;br&gt;                         &lt;b&gt;Загрузить заводские настройки&lt;/b&gt; – позволяет вернуть настройки датчика до заводских.&lt;br&gt;                         &lt;b&gt;Инженерное меню&lt;/b&gt; – меню настроек дополнительных возможностей датчиков.                        &lt;b&gt;Безопасность&lt;/b&gt; - функция позволяет установить пароль на изменение настроек датчика. После установки                        пароль вступит в силу (не даст изменить настройки) как только отключить датчик от программы для                        настройки. Для изменения настроек необходимо сначала ввести пароль. Чтоб удалить пароль введите его и                        нажмите соответствующую кнопку.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переход в раздел «Тарировка», где осуществляется и сохраняется порционное                         градуирование топливной емкости.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инверсия индикатора – меняет логику работы выхода датчика, подключаемого к штатному стрелочному                         указателю авто. Функция необходима, если стрелочный индикатор уровня топлива работает с обратной                         логикой, то есть при полном баке сопротивление нулевое, а при пустом максимальное. Примером                         использование данной функции является подключение к стрелочному указателю авто семейства ГАЗ.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим передачи угла наклона – включает функцию передачи датчиком показание акселерометра. &lt;br&gt;Актуально                         для модели КФ-470. Передача значения угла отклонения осуществляется по протоколу LLS следующим                         сетевым адресом относительно адреса данных уровня топлива. Например, если данные по уровню топлива                         передаются по сетевому адресу 1, то значение угла будет по сетевому адресу 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим Master – переключает датчик в режим опроса интерфейса RS-485. В этом режиме есть возможность по                         интерфейсу RS-485 подключить к датчику Master до 7 датчиков Slave, работающих по протоколу LLS (если в                                                                                                                         датчике не установить режим Master, то он автоматически будет являться Slave устройством). В свою                         очередь датчик Master передает эти и свои данные по интерфейсу Пассивный RS-232 в формате ASCII без запроса от                         внешних устройств. Актуально для модели КФ-470.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию – позволяет отключить внутренний алгоритм коррекции уровня от изменения                         температуры. Использовать не рекомендуется.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Экодрайвинг – включает режим передачи данных по качеству вождения. Данные передаются по протоколу                         LLS в диапазоне от 0 до 15 Передача значения осуществляется следующим сетевым адресом относительно                         адреса данных уровня топлива. Например, если данные по уровню топлива передаются по сетевому адресу 1,                         то оценка качества вождения будет по сетевому адресу 2 Актуально для модели КФ-470.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог срабатывания лампы – устанавливает процентное соотношение минимального остатка топлива, при                         котором включится лампа аварийного остатка штатного индикатора уровня топлива.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выводит окно, где возможно осуществить ручную                         установку/редактирование конфигураций «Полный» и «Пустой».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включает функцию пересчета по тарировочной таблице и                         получения данных в литрах или процентах. Так же выводит окно для ввода и сохранения тарировочной                         таблицы в память датчика. Актуально для моделей КФ-410 и КФ-470.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дистанционное управление – меню, где есть возможность сформировать команду для запроса конфигурации                         и изменения некоторых параметров датчиков «Мирвел КФ», которые подключены к навигационному                         терминалу по интерфейсу RS-485. Сформированная команда отправляется посредством SMS, либо через                         сервер.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Объем заливаемой/сливаемой порции топлива при тарировании. При                         нажатии кнопки «Добавить строку» в таблицу автоматически записывается текущее значение датчика, а в                         столбец «Литры» записывается значение большее на шаг заправки.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Добавляет столбец с информацией о подключенном датчике для последующего                         заполнения данными по процессу тарирования.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаляет последний столбец тарировочной таблицы, где находятся данные по тарируемому датчику</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Добавляет строку в тарировочную таблицу и вносит текущее показание уровня.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаляет последнюю строку в тарировочной таблице</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохраняет тарировочную таблицу и завершает процесс тарирования.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позволяет выбрать датчик из списка, если подключено несколько датчиков                         одновременно, для последующей настройки. При подключении к преобразователю интерфейса нескольких                         датчиков (с разными сетевыми адресами) в этой строке есть возможность переключаться между датчика                         выбрав необходимый сетевой адрес из списка.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохраняет изменения настроек в датчике.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Кнопка выбора интерфейса настройки датчиков уровня топлива.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отображает список сетевых адресов датчиков, подключенных к преобразователю интерфейса</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отображает текущий уровень топлива в выбранном диапазоне.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отображает частоту.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отображает напряжение.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура датчика.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия программного обеспечения (прошивки) датчика.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер датчика.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показатель RSSI, то есть уровень приема сигнала (полная мощность принимаемого приёмником сигнала).                        При значении менее -80дБм возможна потеря связи.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень заряда батареи. При значении менее 3,2В возможно отключение или некорректная работа датчика.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Функция позволяет сменить привязанный к базе датчик.                        Для этого необходимо ввести серийный номер датчика, который хотите привязать.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Кнопка запуска режима обновления программного обеспечения адаптера.                        Дальнейший алгоритм действий появится при нажатии на кнопку.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>кнопка запуска режима обновления программного обеспечения датчика.Дальнейший алгоритм действий появится при нажатии на кнопку.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Секция, где отображается версия программного обеспечения подключенного датчика.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Секция, где отображается версия программного обеспечения подключенного адаптера.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Индикация наличия/отсутствия пароля датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбрать одно из подключенных устройство для его настройки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбрать один из доступных режимов работы датчика - выбирайте в зависимости от того, какой интерфейс будет использоваться на принимающем устройстве</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка выдачи уровня топлива в определенном диапазоне</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Один из двух доступных алгоритмов сглаживания
Если при эксплуатации заправка будет производиться как на АЗС (со скоростью не более 50 л/мин), так и канистрами/ведрами, то выберите медианный алгоритм фильтрации
Если заправка будет производиться только на АЗС (со скоростью не более 50 л/мин), то можно выбрать умный алгоритм фильтрации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>При необходимости Вы можете поменять сетевой адрес датчика в этом поле - просто введите новый адрес.Избегайте конфликта сетевых адресов с другими датчиками</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Только после нажатия этой кнопки новые настройки будут записаны в память устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевые адреса всех доступных для подключения устройств</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Период отправки в секундах</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPS/ГЛОНАСС - количество спутников GPS и ГЛОНАСС, участвующих в определении координат.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Качество сигнала - соотношение уровня приема сигнала от спутников к уровню помех. Чем выше коэффициент, тем лучше уровень приема сигнала. Хорошим уровнем приема сигнала считается коэффициент выше 30.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Статус подключения - информация об этапах запуска датчика и подключения к серверу.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Трафик - количество переданных сообщений на сервер с момента подачи питания</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uвх - напряжение питания датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор оператора - меню выбора оператора сотовой сети, чья SIM карта используется. Позволяет автоматически загрузить в настройки датчика стандартные настройки сотовой сети выбранного оператора. Для ручного настроек выберите &quot;Другой&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точка доступа - настройка GPRS мобильного оператора, через которую пользователь подключается к услуге передачи данных.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пользователь - логин для подключения услуги передачи данных</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль - пароль для подключения услуги переадчи данных</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пин код SIM - пин код SIM карты (если проверка пин кода отключена, то пропустите этот пункт)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес - IP адрес или доменное имя сервера, к которому подключается датчик для передачи данных</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт - номер порта на сервере, на который передаются данные</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль доступа - пароль, по которому осуществляется регистрация на сервере (при необходимости использования указывается в настройках датчика и в настройках на сервере)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Протокол ЕГТС - переключение фомата передачи данных датчиком в формат протокола ЕГТС (по умолчанию используется протокол Wialon IPS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фильтрация - сглаживание измерений уровня топлива. Используется для фильтрации кратковременных скачков показаний уровня топлива при эксплуатации датчика на ТС (вибрация, колебания топлива в баке в движении ТС и т.п.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включение или отключение протокола UDP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Измерительные трубки оторвались от платы в результате внешнего механического воздействия. Необходима замена датчика. Также проверьте правильность калибровок - вероятно, калибровка пустого бака неверна</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В пространство между двумя измерительными трубками попала вода, грязь или металлическая стружка. Необходима продувка/промывка. Также проверьте правильность калибровок - вероятно, калибровка полного бака неверна</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки программы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дистанционное управление</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отменить несохранённые настройки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузить заводские настройки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инженерное меню</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Безопасность</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновить прошивку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вы хотите отменить изменения настроек?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Будут загружены заводские установки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось проверить обновления</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вы используете актуальную версию ПО</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Доступна новая версия конфигуратора. Перейдите на наш сайт для загрузки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введён некорректный ответ!
Проверьте правильность ввода</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Значение вне допустимого диапазона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровка произведена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки записаны</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тарировку рекомендуется делать
при отключенном сглаживании</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вы уверены?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Внимание!Датчик неоткалиброван на пустой-полный
перейти к тарировке?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Внимание! Найдена незаконченная тарировка. 
Хотите её продолжить?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Добавить датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключен только один датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Возможно тарировка закончена. Или проверьте параметры тарировки
Шаг тарировки должен быть меньше остатка топлива</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>г</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В таблице могут быть только целые числа от 0 до 65535</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблица успешно записана</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик не подтвердил запись таблицы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вы хотите завершить тарировку?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Да</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Временный файл не был найден.
Вы хотите открыть *.csv файл?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберете файл с расширением *.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось открыть файл тарировки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл тарировки не содержит данных</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас датчик будет перезагружен
После успешной перезагрузки у вас есть примерно
30 секунд на запуск процесса обновления
прошивки в программе NRFConnect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось сохранить таблицу в файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Недопустимое значение: %1
Введите число от %2 до %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слейв 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слейв 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слейв 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слейв 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слейв 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слейв 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слейв 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить
период</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Полный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Откалибровать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровка без топлива</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас будет произведена автоматическая калибровка Пустой/Полный</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Значение &quot;Пустой&quot; не может быть больше &quot;Полный&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Пустой&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Полный&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите число от %1 до %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень
аварийного остатка топлива.

Вы уверены?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;Полный&quot;
Вы уверены?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;Пустой&quot;
Вы уверены?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установку &quot;Полный&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установку &quot;Пустой&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас будут записаны новые настройки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас будет установлен &quot;НОЛЬ&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Данные выбранного датчика ещё не получены от индикатора.
Повторите через несколько секунд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Незаконченная тарировка сохранена в файле
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дождитесь окончания обновления прошивки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновление прошивки прервано</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>«%1» в столбце «%2», строке %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
Файл не читается как текст таблицы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
Недопустимое значение: %1
Допустимы числа от %2 до %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Строки файла, которые не удалось прочитать, пропущены: %1
Номера строк: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось переместить незаконченную тарировку
%1
Таблица не записывается в файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось записать файл тарировки
%1
Таблица не записывается в файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик не сообщил серийный номер.
Тарировка не начата, попробуйте ещё раз</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 2 не сообщил серийный номер.
Второй датчик не добавлен, попробуйте ещё раз</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 2 ещё не сообщил уровень.
Второй датчик не добавлен, попробуйте ещё раз</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик %1 не отвечает.
Порция не записана: дождитесь его уровня или удалите датчик из тарировки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчики на линии не те, с которыми начата тарировка.
Порция не записана</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 2 не сообщил серийный номер.
Тарировка двух датчиков пока недоступна</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
В файле нет ни одной строки таблицы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В файле показания двух датчиков, а тарировка идёт с одним датчиком.
Файл не загружен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В файле показания одного датчика, а тарировка идёт с двумя датчиками.
Файл не загружен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик не ответил
Запись параметров не подтверждена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик ещё не сообщил уровень.
Тарировка не начата, попробуйте ещё раз</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось сохранить файл тарировки
%1
Тарировка не завершена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось записать копию тарировки
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось удалить временный файл тарировки
%1
При следующем запуске тарировка будет предложена снова</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт не найден: преобразователь отключён.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет прав на доступ к порту. Его открывают участники группы %1: добавьте в неё пользователя (sudo usermod -aG %1 $USER) и войдите в систему заново.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт занят другой программой.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Это не последовательный порт.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось открыть порт %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет прав на доступ к порту. Доступ к нему даёт администратор системы.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SaveFileName</name>
    <message>
        <source>Файл с таким именем уже существует.
Заменить его?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Security</name>
    <message>
        <source>Ввести пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите пароль: число от 0 до %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неизвестно, защищён ли датчик паролем
Введите пароль или установите новый</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SecurityBLE</name>
    <message>
        <source>Ввести пароль датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить пароль датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить пароль датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменение настроек датчика защищено паролем.
Введите пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидаем ответ беспроводного датчика:
защищён ли он паролем</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неизвестно, защищён ли датчик паролем
Введите пароль или установите новый</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarGraph</name>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Недостаточно данных для построения графика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>График тарировки датчиков</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показания датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Объём в литрах/галлонах</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarRun</name>
    <message>
        <source>Галлоны</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Литры</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WidgetTar</name>
    <message>
        <source>Литры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WiredTagDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите шестнадцатеричное число: цифры 0-9 и буквы a-f</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
