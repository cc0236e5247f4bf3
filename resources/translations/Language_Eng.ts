<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>AdwertDialog</name>
    <message>
        <source>Установить соединение</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Введите номер датчика и пароль</source>
        <translation>Enter the sensor number and password</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Для ДУТ QF BLE введите QF_XXXXXX</source>
        <translation>For a QF BLE fuel sensor enter QF_XXXXXX</translation>
    </message>
    <message>
        <source>Для датчика освещённости введите YQ_XXXXXX</source>
        <translation>For a light sensor enter YQ_XXXXXX</translation>
    </message>
    <message>
        <source>Для датчика угла введите KV_XXXXXX</source>
        <translation>For an angle sensor enter KV_XXXXXX</translation>
    </message>
    <message>
        <source>где XXXXXX - серийный номер датчика</source>
        <translation>where XXXXXX is the sensor&apos;s serial number</translation>
    </message>
    <message>
        <source>Введите пароль: число от 0 до %1</source>
        <translation>Enter the password: a number from 0 to %1</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Waiting for the sensor to answer</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Connection failed</translation>
    </message>
</context>
<context>
    <name>BLEAdwView</name>
    <message>
        <source>t °C, H %, U Volt, RSSI</source>
        <translation>t °C, H %, U Volt, RSSI</translation>
    </message>
    <message>
        <source>Па, t °C, U Volt, RSSI</source>
        <translation>Pa, t °C, U Volt, RSSI</translation>
    </message>
    <message>
        <source>t °C, H %, Hall 1/0, RSSI</source>
        <translation>t °C, H %, Hall 1/0, RSSI</translation>
    </message>
    <message>
        <source>Lux, H %, t °C, RSSI</source>
        <translation>Lux, H %, t °C, RSSI</translation>
    </message>
    <message>
        <source>Па, H %, t °C, RSSI</source>
        <translation>Pa, H %, t °C, RSSI</translation>
    </message>
    <message>
        <source>t °C, Hall 1/0, Lux, RSSI</source>
        <translation>t °C, Hall 1/0, Lux, RSSI</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Набор передаваемых параметров:</source>
        <translation>Values sent:</translation>
    </message>
    <message>
        <source>Освещенность</source>
        <translation>Illuminance</translation>
    </message>
    <message>
        <source>Давление</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Отправлять доп. параметры по сети</source>
        <translation>Send extra values over the network</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Подключить датчик</source>
        <translation>Connect a sensor</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Влажность</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>Подключить другой</source>
        <translation>Connect another</translation>
    </message>
</context>
<context>
    <name>BLEDevice</name>
    <message>
        <source>1-1023</source>
        <translation>1-1023</translation>
    </message>
    <message>
        <source>1-4095</source>
        <translation>1-4095</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>By filling</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>By draining</translation>
    </message>
    <message>
        <source>Датчик 4</source>
        <translation>Sensor 4</translation>
    </message>
    <message>
        <source>Датчик 3</source>
        <translation>Sensor 3</translation>
    </message>
    <message>
        <source>Датчик 2</source>
        <translation>Sensor 2</translation>
    </message>
    <message>
        <source>Датчик 1</source>
        <translation>Sensor 1</translation>
    </message>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation>Waiting for the wireless sensor&apos;s answer</translation>
    </message>
    <message>
        <source>Нет показаний датчика
Дождитесь их и повторите калибровку</source>
        <translation>No sensor readings yet
Wait for them and calibrate again</translation>
    </message>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation>Waiting for the wireless sensor to answer</translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>This function is under development</translation>
    </message>
    <message>
        <source>Подключите другое</source>
        <translation>Connect another device</translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation>The connected device does not match the one chosen</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation>No link to the wireless sensor</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation>Linked to the wireless sensor</translation>
    </message>
    <message>
        <source>Подключен VO-DIZ</source>
        <translation>VO-DIZ connected</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Password accepted</translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation>The wireless sensor&apos;s password was removed</translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation>The wireless sensor&apos;s new password was set</translation>
    </message>
    <message>
        <source>Введён не верный пароль датчика</source>
        <translation>Wrong sensor password</translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation>The wireless sensor restarted</translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation>If you do not see the sensor in NRFConnect
when the timer runs out,
the update failed
Try again</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation>Level </translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrated</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>Not calibrated</translation>
    </message>
    <message>
        <source>UUID ВТ датчика успешно изменен</source>
        <translation>The wireless sensor&apos;s UUID was changed</translation>
    </message>
    <message>
        <source>S/N ВТ датчика успешно изменен</source>
        <translation>The wireless sensor&apos;s S/N was changed</translation>
    </message>
    <message>
        <source>Директивная калибровка ВТ датчика произведена успешно</source>
        <translation>The wireless sensor was calibrated</translation>
    </message>
    <message>
        <source>Калибровка уровня полного ВТ датчика произведена</source>
        <translation>The wireless sensor&apos;s Full level was calibrated</translation>
    </message>
    <message>
        <source>Калибровка уровня пустого ВТ датчика произведена</source>
        <translation>The wireless sensor&apos;s Empty level was calibrated</translation>
    </message>
    <message>
        <source>Установлены заводские настройки ВТ датчика</source>
        <translation>The wireless sensor is back to its factory settings</translation>
    </message>
    <message>
        <source>Датчик переведен в режим сна</source>
        <translation>The sensor went to sleep</translation>
    </message>
    <message>
        <source>Ошибка изменения UUID ВТ датчика</source>
        <translation>The wireless sensor&apos;s UUID could not be changed</translation>
    </message>
    <message>
        <source>Ошибка изменения S/N ВТ датчика</source>
        <translation>The wireless sensor&apos;s S/N could not be changed</translation>
    </message>
    <message>
        <source>Ошибка изменения пароля ВТ датчика</source>
        <translation>The wireless sensor&apos;s password could not be changed</translation>
    </message>
    <message>
        <source>Ошибка директивной калибровки ВТ датчика</source>
        <translation>The wireless sensor could not be calibrated</translation>
    </message>
    <message>
        <source>Режим работы ВТ датчика установлен</source>
        <translation>The wireless sensor&apos;s working mode was set</translation>
    </message>
    <message>
        <source>Ошибка установки режима</source>
        <translation>The working mode could not be set</translation>
    </message>
    <message>
        <source>Введите число от %1 до %2</source>
        <translation>Enter a number from %1 to %2</translation>
    </message>
    <message>
        <source>Установите другой сетевой адрес</source>
        <translation>Choose another network address</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Введите номер</source>
        <translation>Enter the number</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Connection failed</translation>
    </message>
    <message>
        <source>Выполняется подключение...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation>Enter the sensor number</translation>
    </message>
    <message>
        <source>Сейчас в мобильном приложении NRFConnect должно отобразиться устройство BASE_UPDATE
Подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой
Дождитесь, когда шкала прогресса достигнет 100% и осуществите повторное подключение</source>
        <translation>The device BASE_UPDATE should now show in the NRFConnect phone application
Connect to it, press DFU and choose the firmware archive
Wait until the progress bar reaches 100% and connect again</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Waiting for the sensor to answer</translation>
    </message>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation>Removal of the wireless sensor password was not confirmed</translation>
    </message>
</context>
<context>
    <name>BaseDevice</name>
    <message>
        <source>Ошибка
Введён неверный пароль
Попробуйте другой пароль</source>
        <translation>Error
Wrong password
Try another password</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation>Wait until the operation in progress ends</translation>
    </message>
    <message>
        <source>Сетевой адрес %1 уже занят другим датчиком</source>
        <translation>Network address %1 is already taken by another sensor</translation>
    </message>
    <message>
        <source>Выключите и включите питание датчика</source>
        <translation>Switch the sensor&apos;s power off and on</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation>The connected device does not match the one chosen</translation>
    </message>
    <message>
        <source>датчик уровня топлива</source>
        <translation>a fuel level sensor</translation>
    </message>
    <message>
        <source>датчик угла наклона</source>
        <translation>an angle sensor</translation>
    </message>
    <message>
        <source>датчик ПЛМ-300</source>
        <translation>a PLM300 sensor</translation>
    </message>
</context>
<context>
    <name>BoundedIntValidator</name>
    <message>
        <source>Введите целое число от %1 до %2, только цифры</source>
        <translation>Enter a whole number from %1 to %2, digits only</translation>
    </message>
</context>
<context>
    <name>CalibrationDialogs</name>
    <message>
        <source>Сохранить файл</source>
        <translation>Save file</translation>
    </message>
</context>
<context>
    <name>CustomDialogInput</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Полный</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Empty</translation>
    </message>
</context>
<context>
    <name>DynamicQDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FLSDevice</name>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Non-stable</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation>Level </translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>Not calibrated</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrated</translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation>Horizon set</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Умная</source>
        <translation>Smart</translation>
    </message>
    <message>
        <source>Медианная</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>Пассивный RS-485</source>
        <translation>Passive RS-485</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>By filling</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>By draining</translation>
    </message>
    <message>
        <source>1-1023</source>
        <translation>1-1023</translation>
    </message>
    <message>
        <source>1-4095</source>
        <translation>1-4095</translation>
    </message>
    <message>
        <source>до 200 литров</source>
        <translation>up to 200 litres</translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation>200 to 1000 litres</translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation>over 1000 litres</translation>
    </message>
    <message>
        <source>Тяжёлые условия</source>
        <translation>Harsh conditions</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Stable</translation>
    </message>
    <message>
        <source>Обрыв трубок</source>
        <translation>Tube break</translation>
    </message>
    <message>
        <source>Короткое замыкание</source>
        <translation>Short circuit</translation>
    </message>
    <message>
        <source>Аналоговый</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Импупльсный</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Активный RS-485</source>
        <translation>Active RS-485</translation>
    </message>
    <message>
        <source>Пассивный RS-232</source>
        <translation>Passive RS-232</translation>
    </message>
    <message>
        <source>Активный RS-232</source>
        <translation>Active RS-232</translation>
    </message>
    <message>
        <source>тяжёлые условия</source>
        <translation>harsh conditions</translation>
    </message>
    <message>
        <source>Подключен QF410</source>
        <translation>QF410 connected</translation>
    </message>
    <message>
        <source>Подключен QF210</source>
        <translation>QF210 connected</translation>
    </message>
    <message>
        <source>Подключен QF260</source>
        <translation>QF260 connected</translation>
    </message>
    <message>
        <source>Подключен QF470</source>
        <translation>QF470 connected</translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor connected</translation>
    </message>
    <message>
        <source>Таблица успешно прочитана</source>
        <translation>Table read successfully</translation>
    </message>
    <message>
        <source>Нет показаний датчика
Калибровка не выполнена</source>
        <translation>No readings from the sensor
Calibration not done</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation>Wait until the operation in progress ends</translation>
    </message>
    <message>
        <source>Датчик не ответил</source>
        <translation>The sensor did not answer</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Password accepted</translation>
    </message>
    <message>
        <source>Новый пароль успешно установлен</source>
        <translation>The new password was set</translation>
    </message>
    <message>
        <source>Установка пароля не подтверждена</source>
        <translation>Setting the password was not confirmed</translation>
    </message>
    <message>
        <source>Пароль успешно удалён</source>
        <translation>The password was removed</translation>
    </message>
    <message>
        <source>Ошибка удаления пароля</source>
        <translation>The password could not be removed</translation>
    </message>
    <message>
        <source>Удаление пароля не подтверждено</source>
        <translation>Removing the password was not confirmed</translation>
    </message>
    <message>
        <source>Пароль не удалён</source>
        <translation>The password was not removed</translation>
    </message>
    <message>
        <source>Не отвечает</source>
        <translation>Not answering</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Выберите один файл</source>
        <translation>Choose one file</translation>
    </message>
    <message>
        <source>Файл не найден:
%1</source>
        <translation>File not found:
%1</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdater</name>
    <message>
        <source>Выберете файл прошивки</source>
        <translation>Select a firmware file</translation>
    </message>
    <message>
        <source>Файл прошивки должен соответствовать модели датчика
Возможно, файл повреждён
Выберите другой файл</source>
        <translation>The firmware file must match the sensor model
The file may be damaged
Choose another file</translation>
    </message>
    <message>
        <source>Переподключите питание датчика</source>
        <translation>Switch the sensor&apos;s power off and on</translation>
    </message>
    <message>
        <source>Осталось %1 с</source>
        <translation>%1 s left</translation>
    </message>
    <message>
        <source>Прошивка не обновлена</source>
        <translation>Firmware not updated</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика, осталось %1 с</source>
        <translation>Waiting for the sensor to answer, %1 s left</translation>
    </message>
    <message>
        <source>Ошибка в обновлении</source>
        <translation>Update error</translation>
    </message>
    <message>
        <source>Идёт обновление прошивки датчика</source>
        <translation>Updating the sensor firmware</translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation>Firmware updated successfully</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation>Could not save the file</translation>
    </message>
    <message>
        <source>Датчик остаётся в режиме загрузчика до выключения и включения его питания</source>
        <translation>The sensor stays in its bootloader until its power is switched off and on</translation>
    </message>
    <message>
        <source>Обновление прошивки через этот преобразователь не было завершено, датчик может оставаться в режиме загрузчика
Выключите и включите питание датчика, затем нажмите OK</source>
        <translation>A firmware update through this converter was not completed, the sensor may still be in its bootloader
Switch the sensor&apos;s power off and on, then press OK</translation>
    </message>
    <message>
        <source>Загрузчик датчика не в начале загрузки прошивки
Выключите и включите питание датчика, затем начните обновление снова</source>
        <translation>The sensor&apos;s bootloader is not at the start of a firmware download
Switch the sensor&apos;s power off and on, then start the update again</translation>
    </message>
    <message>
        <source>Датчик не сообщил свою модель
Обновление прошивки невозможно</source>
        <translation>The sensor has not reported its model
The firmware cannot be updated</translation>
    </message>
</context>
<context>
    <name>KV380Device</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source>Гц</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Подключен КВ-380</source>
        <translation>KV-380 connected</translation>
    </message>
    <message>
        <source>Дельта</source>
        <translation>Delta</translation>
    </message>
    <message>
        <source>Верх</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>This function is under development</translation>
    </message>
</context>
<context>
    <name>KVBLEDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>This function is under development</translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation>The connected device does not match the one chosen</translation>
    </message>
    <message>
        <source>Подключите другое</source>
        <translation>Connect another device</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation>No link to the wireless sensor</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation>Linked to the wireless sensor</translation>
    </message>
    <message>
        <source>Подключен KV-BLE</source>
        <translation>KV-BLE connected</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Password accepted</translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation>The wireless sensor&apos;s new password was set</translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation>The wireless sensor&apos;s password was removed</translation>
    </message>
    <message>
        <source>Введён не верный пароль датчика</source>
        <translation>Wrong sensor password</translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation>The wireless sensor restarted</translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation>If you do not see the sensor in NRFConnect
when the timer runs out,
the update failed
Try again</translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation>Waiting for the wireless sensor&apos;s answer</translation>
    </message>
    <message>
        <source>Значение вне допустимого диапазона</source>
        <translation>Value outside the allowed range</translation>
    </message>
    <message>
        <source>Идёт запись параметров</source>
        <translation>Writing parameters</translation>
    </message>
    <message>
        <source>После завершения операции это окно автоматически закроется</source>
        <translation>This window closes by itself when the operation is over</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Введите номер</source>
        <translation>Enter the number</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Connection error</translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation>Enter the sensor number</translation>
    </message>
    <message>
        <source>Номер датчика: число от 0 до %1</source>
        <translation>Sensor number: a number from 0 to %1</translation>
    </message>
    <message>
        <source>Выполняется подключение...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>Устанорвлен горизонт</source>
        <translation>Horizon set</translation>
    </message>
    <message>
        <source>Установлена задержка</source>
        <translation>Delay set</translation>
    </message>
    <message>
        <source>Ошибка установки задержки</source>
        <translation>Error setting the delay</translation>
    </message>
    <message>
        <source>бездействие</source>
        <translation>idle</translation>
    </message>
    <message>
        <source>вращение
против часовой</source>
        <translation>rotation
anticlockwise</translation>
    </message>
    <message>
        <source>вращение
по часовой</source>
        <translation>rotation
clockwise</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>был превышен верхний
и не ниже нижнего</source>
        <translation>upper was exceeded
and not below lower</translation>
    </message>
    <message>
        <source>не работает</source>
        <translation>not working</translation>
    </message>
    <message>
        <source>работает</source>
        <translation>working</translation>
    </message>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation>Removal of the wireless sensor password was not confirmed</translation>
    </message>
</context>
<context>
    <name>LiterToPercent</name>
    <message>
        <source>Записать
в датчик</source>
        <translation>Write
to sensor</translation>
    </message>
    <message>
        <source>Считать
из датчика</source>
        <translation>Read
from sensor</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Выгрузить</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>Проценты</source>
        <translation>Percent</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Choose a file to convert</translation>
    </message>
    <message>
        <source>Не удалось открыть файл</source>
        <translation>Could not open the file</translation>
    </message>
    <message>
        <source>Строка %1 файла не прочитана.
Таблица не изменена</source>
        <translation>Line %1 of the file could not be read.
The table is unchanged</translation>
    </message>
    <message>
        <source>В файле больше 20 строк.
Таблица не изменена</source>
        <translation>The file has more than 20 rows.
The table is unchanged</translation>
    </message>
    <message>
        <source>Файл пуст.
Таблица не изменена</source>
        <translation>The file is empty.
The table is unchanged</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation>Could not save the file</translation>
    </message>
</context>
<context>
    <name>MirvelNet</name>
    <message>
        <source>№ Ячейки</source>
        <translation>Cell No.</translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation>Tag ID</translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation>Reader</translation>
    </message>
    <message>
        <source>Считыватель-индикатор</source>
        <translation>Reader with indicator</translation>
    </message>
    <message>
        <source>Метка с питанием</source>
        <translation>Powered tag</translation>
    </message>
    <message>
        <source>Мост Slave</source>
        <translation>Bridge Slave</translation>
    </message>
    <message>
        <source>Мост Master</source>
        <translation>Bridge Master</translation>
    </message>
    <message>
        <source>Мост Slave Частотный выход</source>
        <translation>Bridge Slave Frequency output</translation>
    </message>
    <message>
        <source>Мост Master Частотный выход</source>
        <translation>Bridge Master Frequency output</translation>
    </message>
    <message>
        <source>Режим идентификации</source>
        <translation>Identification mode</translation>
    </message>
    <message>
        <source>Режим вертикального вращения</source>
        <translation>Vertical rotation mode</translation>
    </message>
    <message>
        <source>Режим горизонтального вращения</source>
        <translation>Horizontal rotation mode</translation>
    </message>
    <message>
        <source>Режим датчика угла</source>
        <translation>Angle sensor mode</translation>
    </message>
    <message>
        <source>Режим контроля переворота</source>
        <translation>Rollover control mode</translation>
    </message>
    <message>
        <source>Минимум. 18 метров.</source>
        <translation>Minimum. 18 metres.</translation>
    </message>
    <message>
        <source>Максимум. 50 метров.</source>
        <translation>Maximum. 50 metres.</translation>
    </message>
</context>
<context>
    <name>MyItemDelegateForCell</name>
    <message>
        <source>Введите число до 999999999, дробную часть одной цифрой после точки</source>
        <translation>Enter a number up to 999999999, with one decimal digit after a point</translation>
    </message>
</context>
<context>
    <name>N7Device</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source>Ед. Датчика</source>
        <translation>Sensor units</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>N7</source>
        <translation>N7</translation>
    </message>
    <message>
        <source>Активный</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Пассивный</source>
        <translation>Passive</translation>
    </message>
    <message>
        <source>Датчик 1</source>
        <translation>Sensor 1</translation>
    </message>
    <message>
        <source>Датчик 2</source>
        <translation>Sensor 2</translation>
    </message>
    <message>
        <source>Датчик 3</source>
        <translation>Sensor 3</translation>
    </message>
    <message>
        <source>Датчик 4</source>
        <translation>Sensor 4</translation>
    </message>
    <message>
        <source>Подключен Н7</source>
        <translation>N7 connected</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Choose a file for conversion</translation>
    </message>
</context>
<context>
    <name>PLM300Device</name>
    <message>
        <source>PLM300</source>
        <translation>PLM300</translation>
    </message>
    <message>
        <source>Пассивный RS-485</source>
        <translation>Passive RS-485</translation>
    </message>
    <message>
        <source>Частотный режим</source>
        <translation>Frequency mode</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>Function under development</translation>
    </message>
    <message>
        <source>Подключен ПЛМ-300</source>
        <translation>PLM-300 connected</translation>
    </message>
</context>
<context>
    <name>PasswordQuestion</name>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation>Removal of the wireless sensor password was not confirmed</translation>
    </message>
    <message>
        <source>Беспроводной датчик не ответил</source>
        <translation>The wireless sensor did not answer</translation>
    </message>
    <message>
        <source>Установка пароля ВТ датчика не подтверждена</source>
        <translation>Setting the wireless sensor password was not confirmed</translation>
    </message>
    <message>
        <source>Ввод пароля ВТ датчика не подтверждён</source>
        <translation>Entering the wireless sensor password was not confirmed</translation>
    </message>
</context>
<context>
    <name>QFOnline</name>
    <message>
        <source>инициализация
модема</source>
        <translation>modem
initialization</translation>
    </message>
    <message>
        <source>чтение SIM
карты</source>
        <translation>reading the
SIM card</translation>
    </message>
    <message>
        <source>регистрация
в сети</source>
        <translation>network
registration</translation>
    </message>
    <message>
        <source>подключение
к GPRS</source>
        <translation>connecting
to GPRS</translation>
    </message>
    <message>
        <source>подключение
к серверу</source>
        <translation>connecting
to the server</translation>
    </message>
    <message>
        <source>регистрация
на сервере</source>
        <translation>registering
on the server</translation>
    </message>
    <message>
        <source>подключен
к серверу</source>
        <translation>connected
to the server</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Non-stable</translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>Function under development</translation>
    </message>
    <message>
        <source>Настройки прочитаны</source>
        <translation>Settings read</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>Not calibrated</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrated</translation>
    </message>
    <message>
        <source>Сначала прочитайте настройки устройства</source>
        <translation>Read the device settings first</translation>
    </message>
    <message>
        <source>Устройство ещё не ответило</source>
        <translation>The device has not answered yet</translation>
    </message>
    <message>
        <source>другой</source>
        <translation>other</translation>
    </message>
    <message>
        <source>Недопустимое значение: %1
Введите число от %2 до %3</source>
        <translation>Invalid value: %1
Enter a number from %2 to %3</translation>
    </message>
    <message>
        <source>Устройство отклонило команду</source>
        <translation>The device refused the command</translation>
    </message>
    <message>
        <source>Устройство не ответило</source>
        <translation>The device did not answer</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation>Wait until the operation in progress ends</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Password accepted</translation>
    </message>
    <message>
        <source>Новый пароль успешно установлен</source>
        <translation>The new password was set</translation>
    </message>
    <message>
        <source>Установка пароля не подтверждена</source>
        <translation>Setting the password was not confirmed</translation>
    </message>
    <message>
        <source>Пароль не удалён</source>
        <translation>The password was not removed</translation>
    </message>
    <message>
        <source>Ошибка удаления пароля</source>
        <translation>The password could not be removed</translation>
    </message>
    <message>
        <source>Пароль успешно удалён</source>
        <translation>The password was removed</translation>
    </message>
    <message>
        <source>Удаление пароля не подтверждено</source>
        <translation>Removing the password was not confirmed</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Один экземпляр приложения уже запущен</source>
        <translation>The application is already running</translation>
    </message>
</context>
<context>
    <name>RemoteCommand</name>
    <message>
        <source>Аналоговый</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Импульсный</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Активный RS-485</source>
        <translation>Active RS-485</translation>
    </message>
    <message>
        <source>Медианный</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>Интеллектуальный</source>
        <translation>Smart</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>до 200 литров</source>
        <translation>up to 200 litres</translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation>200 to 1000 litres</translation>
    </message>
    <message>
        <source>больше 1000 литров</source>
        <translation>over 1000 litres</translation>
    </message>
    <message>
        <source>тяжёлые условия</source>
        <translation>harsh conditions</translation>
    </message>
    <message>
        <source>Некорректный режим</source>
        <translation>Invalid mode</translation>
    </message>
    <message>
        <source>Некорректный диапазон</source>
        <translation>Invalid range</translation>
    </message>
    <message>
        <source>Некорректный тип</source>
        <translation>Invalid type</translation>
    </message>
    <message>
        <source>Некорректный уровень</source>
        <translation>Invalid level</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Текущий</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Значение пустого</source>
        <translation>Empty value</translation>
    </message>
    <message>
        <source>Значение полного</source>
        <translation>Full value</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Тип сглаживания</source>
        <translation>Smoothing type</translation>
    </message>
    <message>
        <source>Уровень сглаживания</source>
        <translation>Smoothing level</translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation>Network address</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Версия микропрограммы</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>В ответе содержится:</source>
        <translation>The answer contains:</translation>
    </message>
    <message>
        <source>Ответ</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>Ввести пароль</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Запрос состояния</source>
        <translation>State request</translation>
    </message>
    <message>
        <source>Запросить версию прошивки и серийный номер</source>
        <translation>Request firmware version and serial number</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Shift the empty level</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Shift the full level</translation>
    </message>
    <message>
        <source>Установить уровень пустого</source>
        <translation>Set the empty level</translation>
    </message>
    <message>
        <source>Установить уровень полного</source>
        <translation>Set the full level</translation>
    </message>
    <message>
        <source>Установить режим</source>
        <translation>Set mode</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Set password</translation>
    </message>
    <message>
        <source>RS-485 + 1023</source>
        <translation>RS-485 + 1023</translation>
    </message>
    <message>
        <source>Активный RS-485 + 1023</source>
        <translation>Active RS-485 + 1023</translation>
    </message>
    <message>
        <source>RS-485 + 4095</source>
        <translation>RS-485 + 4095</translation>
    </message>
    <message>
        <source>Активный RS-485 + 4095</source>
        <translation>Active RS-485 + 4095</translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation>over 1000 litres</translation>
    </message>
    <message>
        <source>Введите числовой пароль (макс. 9 цифр)</source>
        <translation>Enter a numeric password (max. 9 digits)</translation>
    </message>
    <message>
        <source>Введите смещение в у.е.</source>
        <translation>Enter the offset in counts</translation>
    </message>
    <message>
        <source>Введите значение пустого</source>
        <translation>Enter the empty value</translation>
    </message>
    <message>
        <source>Введите значение полного</source>
        <translation>Enter the full value</translation>
    </message>
</context>
<context>
    <name>Reriruvozive</name>
    <message>
        <source>Изменить сет. адрес</source>
        <translation>Change network address</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Степень фильтрации</source>
        <translation>Filtration level</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Калибровка
датчика</source>
        <translation>Sensor
calibration</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Частота</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Записать параметры в устройство</source>
        <translation>Save the paramenters to device</translation>
    </message>
    <message>
        <source>Требуется калибровка</source>
        <translation>Calibration required</translation>
    </message>
    <message>
        <source>Опросить сет. адрес</source>
        <translation>Poll network address</translation>
    </message>
    <message>
        <source>Устройства в сети</source>
        <translation>Available units</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Non-stable</translation>
    </message>
    <message>
        <source>ДУТ</source>
        <translation>FLS</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>КВ380</source>
        <translation>KV380</translation>
    </message>
    <message>
        <source> Тарировка</source>
        <translation> Calibration</translation>
    </message>
    <message>
        <source>Сервис</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Uвых =</source>
        <translation>Uout=</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Тип фильтрации</source>
        <translation>Filtration type</translation>
    </message>
    <message>
        <source>GroupBox</source>
        <translation>GroupBox</translation>
    </message>
    <message>
        <source>Ser Num</source>
        <translation>Ser Num</translation>
    </message>
    <message>
        <source>Next Ser Num</source>
        <translation>Next Ser Num</translation>
    </message>
    <message>
        <source>CNT=</source>
        <translation>CNT=</translation>
    </message>
    <message>
        <source>Фильтрация</source>
        <translation>Filtration</translation>
    </message>
    <message>
        <source>Адаптер</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>скопировано</source>
        <translation>Copied</translation>
    </message>
    <message>
        <source>Введите S/N датчика для подключения</source>
        <translation>Enter sensor S/N to connect</translation>
    </message>
    <message>
        <source>Установка нуля</source>
        <translation>Set zero</translation>
    </message>
    <message>
        <source>Угол, град</source>
        <translation>Angle, degree</translation>
    </message>
    <message>
        <source>Событие
сработки</source>
        <translation>Event notification</translation>
    </message>
    <message>
        <source>бездействие</source>
        <translation>Inactive</translation>
    </message>
    <message>
        <source>Вращение горизонтальное</source>
        <translation>Horizontal rotation</translation>
    </message>
    <message>
        <source>Вращение вертикальное</source>
        <translation>Vertical rotation</translation>
    </message>
    <message>
        <source>Отвал</source>
        <translation>Plow</translation>
    </message>
    <message>
        <source>Низ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Контроль угла</source>
        <translation>Angle control</translation>
    </message>
    <message>
        <source>Транспортировочный</source>
        <translation>Transportation mode</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Зад.выкл</source>
        <translation>Set Turn OFF timer</translation>
    </message>
    <message>
        <source>Ковш</source>
        <translation>Bucket</translation>
    </message>
    <message>
        <source>Верх</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Зад.вкл</source>
        <translation>Set Turn ON timer</translation>
    </message>
    <message>
        <source>MAC адрес</source>
        <translation>MAC address</translation>
    </message>
    <message>
        <source>Настройка QF BLE</source>
        <translation>QF BLE settings</translation>
    </message>
    <message>
        <source>Настройка BLE приёмника</source>
        <translation>BLE adapter settings</translation>
    </message>
    <message>
        <source>Настройка KV BLE</source>
        <translation>KV BLE Configuration</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Закладка 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Закладка 2</translation>
    </message>
    <message>
        <source>Страница</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>Удалить порцию</source>
        <translation>Remove portion</translation>
    </message>
    <message>
        <source>Добавить порцию</source>
        <translation>Add portion</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Возобновить</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>л</source>
        <translation>l</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Gallons</translation>
    </message>
    <message>
        <source>Шаг,</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>ТАРИРОВКА</source>
        <translation>Tank calibration</translation>
    </message>
    <message>
        <source>Опросить сетевой
адрес</source>
        <translation>Poll network address</translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation>Network address</translation>
    </message>
    <message>
        <source>Задержка вкл.</source>
        <translation>Digital output Turn ON timer.</translation>
    </message>
    <message>
        <source>Задержка выкл.</source>
        <translation>Digital output Turn OFF timer.</translation>
    </message>
    <message>
        <source>Мусоровоз</source>
        <translation>Garbage truck</translation>
    </message>
    <message>
        <source>Самосвал</source>
        <translation>Dump truck</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Мастер</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Угол,град.</source>
        <translation>Angle, deg.</translation>
    </message>
    <message>
        <source>Загрузить таблицу из файла</source>
        <translation>Import the table from file</translation>
    </message>
    <message>
        <source>Задать адрес датчика</source>
        <translation>Set sensor&apos;s network address</translation>
    </message>
    <message>
        <source>Опрашивать датчик</source>
        <translation>Poll the sensor</translation>
    </message>
    <message>
        <source>Задать/Ввести пароль</source>
        <translation>Set/Enter password</translation>
    </message>
    <message>
        <source>Номер датчика (1-4)</source>
        <translation>Sensor&apos;s network address (1-4)</translation>
    </message>
    <message>
        <source>Сохранить таблицу в файл</source>
        <translation>Save table as file</translation>
    </message>
    <message>
        <source>Тарировочная таблица</source>
        <translation>Tank calibration table</translation>
    </message>
    <message>
        <source>Опрашивается:</source>
        <translation>Polling:</translation>
    </message>
    <message>
        <source>Сет. адрес датчика</source>
        <translation>Network address of sensor</translation>
    </message>
    <message>
        <source>Установки датчика:</source>
        <translation>Sensor settings</translation>
    </message>
    <message>
        <source>Расстояние</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Максимум</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Минимум</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation>Filtration</translation>
    </message>
    <message>
        <source>Порог</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>IMEI:</source>
        <translation>IMEI:</translation>
    </message>
    <message>
        <source>--</source>
        <translation>- -</translation>
    </message>
    <message>
        <source>Статус подключения</source>
        <translation>Connection status</translation>
    </message>
    <message>
        <source>Трафик</source>
        <translation>Messages sent</translation>
    </message>
    <message>
        <source>Качество сигнала</source>
        <translation>RSSI</translation>
    </message>
    <message>
        <source>GPS/Глонасс</source>
        <translation>GPS/GLONASS</translation>
    </message>
    <message>
        <source>Uвх</source>
        <translation>Uin</translation>
    </message>
    <message>
        <source>Выбор оператора</source>
        <translation>Mobile carrier</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Пин код SIM</source>
        <translation>SIM PIN-code</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Точка доступа</source>
        <translation>APN</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Период отправки</source>
        <translation>Transmission interval</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Протокол ЕГТС</source>
        <translation>EGTS Protocol</translation>
    </message>
    <message>
        <source>Пароль доступа</source>
        <translation>Access password</translation>
    </message>
    <message>
        <source>Настройки GSM</source>
        <translation>GSM Settings</translation>
    </message>
    <message>
        <source>Настройки сервера</source>
        <translation>Server settings</translation>
    </message>
    <message>
        <source>Читать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>UDP</source>
        <translation>UDP</translation>
    </message>
    <message>
        <source>Горизонт</source>
        <translation>Horizon</translation>
    </message>
    <message>
        <source>Настройки RS485</source>
        <translation>RS485 Settings</translation>
    </message>
    <message>
        <source>Данные</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>2 канал</source>
        <translation>2 channel</translation>
    </message>
    <message>
        <source>4 канал</source>
        <translation>4 channel</translation>
    </message>
    <message>
        <source>3 канал</source>
        <translation>3 channel</translation>
    </message>
    <message>
        <source>Двигатель
ЗАВЕДЁН</source>
        <translation>Engine ON</translation>
    </message>
    <message>
        <source>Двигатель
ЗАГЛУШЕН</source>
        <translation>Engin OFF</translation>
    </message>
    <message>
        <source>1 канал</source>
        <translation>1 channel</translation>
    </message>
    <message>
        <source>Настройки датчика</source>
        <translation>Sensor settings</translation>
    </message>
    <message>
        <source>Задать
пустой</source>
        <translation>Set EMPTY</translation>
    </message>
    <message>
        <source>Задать
полный</source>
        <translation>Set FULL</translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation>Reader</translation>
    </message>
    <message>
        <source>Режим считывателя</source>
        <translation>Reader&apos;s mode</translation>
    </message>
    <message>
        <source>Доп. параметры</source>
        <translation>Additional parameters</translation>
    </message>
    <message>
        <source>Задержка обнуления</source>
        <translation>Erase ID delay</translation>
    </message>
    <message>
        <source>Привязать метку</source>
        <translation>Link the tag</translation>
    </message>
    <message>
        <source>№ ячейки</source>
        <translation>Cell number</translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation>Tag ID</translation>
    </message>
    <message>
        <source>Показать привязанные ID</source>
        <translation>Show linked IDs</translation>
    </message>
    <message>
        <source>Отвязать все метки</source>
        <translation>Forget all tags</translation>
    </message>
    <message>
        <source>Частотный выход</source>
        <translation>Frequency input</translation>
    </message>
    <message>
        <source>Текущий сетевой адрес</source>
        <translation>Current network address</translation>
    </message>
    <message>
        <source>Задать сетевой адрес</source>
        <translation>Set network address</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Версия П.О.</source>
        <translation>FW version</translation>
    </message>
    <message>
        <source>Метка</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Параметры метки</source>
        <translation>Tag settings</translation>
    </message>
    <message>
        <source>Задать ID метки</source>
        <translation>Set Tag&apos;s ID</translation>
    </message>
    <message>
        <source>Период</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Текущий ID</source>
        <translation>Current ID</translation>
    </message>
    <message>
        <source>Задержка</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>Мощность сигнала</source>
        <translation>Signal strength</translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation>Signal level</translation>
    </message>
    <message>
        <source>Серийный номер метки</source>
        <translation>Tag&apos;s serial number</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Считать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Мост</source>
        <translation>Bridge</translation>
    </message>
    <message>
        <source>Данные со SLAVE</source>
        <translation>SLAVE&apos;s data</translation>
    </message>
    <message>
        <source>Частотный сигнал:</source>
        <translation>Frequency signal:</translation>
    </message>
    <message>
        <source>Серийный номер SLAVE:</source>
        <translation>SLAVE&apos;s serial number</translation>
    </message>
    <message>
        <source>Уровень сигнала SLAVE</source>
        <translation>SLAVE&apos;s signal level</translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation>Delete sensor</translation>
    </message>
    <message>
        <source>Десятичный формат</source>
        <translation>Decimal format</translation>
    </message>
    <message>
        <source>Установка режима</source>
        <translation>Mode setting</translation>
    </message>
    <message>
        <source>Установить сер номер</source>
        <translation>Set network address</translation>
    </message>
    <message>
        <source>Сменить сет.номер</source>
        <translation>Change network address</translation>
    </message>
    <message>
        <source>R-KEY</source>
        <translation>R-KEY</translation>
    </message>
    <message>
        <source>ДИСТАНЦИОННОЕ УПРАВЛЕНИЕ</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Сгенерировать</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>Введите числовой пароль (макс. 9 цифр)</source>
        <translation>Enter a numerical password (max. 9 digits)</translation>
    </message>
    <message>
        <source>Выберите уровень фильтрации</source>
        <translation>Select filtration level</translation>
    </message>
    <message>
        <source>Скопируйте строку и вставьте её в файл для отправки</source>
        <translation>Copy string and paste in a file for sending</translation>
    </message>
    <message>
        <source>Расшифровать ответ</source>
        <translation>Decode reply</translation>
    </message>
    <message>
        <source>Удаленнный сетевой номер</source>
        <translation>Network address</translation>
    </message>
    <message>
        <source>Выберете режим + диапазон</source>
        <translation>Select mode + range</translation>
    </message>
    <message>
        <source>ИНЖЕНЕРНЫЕ НАСТРОЙКИ</source>
        <translation>Engineer settings</translation>
    </message>
    <message>
        <source>Калибровать 
 горизонтальное
положение</source>
        <translation>Calibrate horizontal position</translation>
    </message>
    <message>
        <source>Ручной ввод Полный/Пустой</source>
        <translation>Full/Empty manual setting</translation>
    </message>
    <message>
        <source>Пересчитать в литры / %</source>
        <translation>Convert to liters / percents</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы</source>
        <translation>LED triggering threshold</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>  Установить  </source>
        <translation>  Apply  </translation>
    </message>
    <message>
        <source>Режим Master</source>
        <translation>Master mode</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона</source>
        <translation>Tilt angle transmission mode</translation>
    </message>
    <message>
        <source>Инверсия индикатора</source>
        <translation>Reversed indicator mode</translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию</source>
        <translation>Disable thermal compensation</translation>
    </message>
    <message>
        <source>Экодрайвинг</source>
        <translation>Ecodriving</translation>
    </message>
    <message>
        <source>Передавать cерийный номер</source>
        <translation>Transmit serial number</translation>
    </message>
    <message>
        <source>Датчики Slave</source>
        <translation>&apos;Slave&apos; sensors</translation>
    </message>
    <message>
        <source>НАСТРОЙКИ ПРОГРАММЫ</source>
        <translation>PROGRAMM SETTINGS</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Внешний вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>ПРОШИВКА BLE</source>
        <translation>BLE firmware</translation>
    </message>
    <message>
        <source>Вход в режим 
прошивки для адаптера</source>
        <translation>Entering the adapter
firmware update mode</translation>
    </message>
    <message>
        <source>Вход в режим 
прошивки для BLE</source>
        <translation>Entering the firmware
update mode for BLE</translation>
    </message>
    <message>
        <source>PushButton</source>
        <translation>PushButton</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>Текстовый</translation>
    </message>
    <message>
        <source>русский</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>английский</source>
        <translation>English</translation>
    </message>
    <message>
        <source>испанский</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>светлый</source>
        <translation>light</translation>
    </message>
    <message>
        <source>тёмный</source>
        <translation>dark</translation>
    </message>
    <message>
        <source>Режим Считыватель</source>
        <translation>Reader mode</translation>
    </message>
    <message>
        <source>Режим Метка</source>
        <translation>Tag mode</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation>Waiting for the wireless sensor to answer</translation>
    </message>
    <message>
        <source>Не удалось подключиться к датчику
Повторите попытку</source>
        <translation>Could not connect to the sensor
Please try again</translation>
    </message>
    <message>
        <source>Мирвел Конфигуратор %1</source>
        <translation>Mirvel Configurator %1</translation>
    </message>
    <message>
        <source>Подключите
преобразователь</source>
        <translation>Connect the
converter</translation>
    </message>
    <message>
        <source>Проверьте подключение преобразователя!</source>
        <translation>Check the converter connection!</translation>
    </message>
    <message>
        <source>Выставьте степень фильтрации в зависимости от условий дальнейшей эксплуатации Для медианной фильтрации:
0-1 - стационарные емкости
2-6 - транспорт, передвигающийся по хорошим дорогам
7-12 - транспорт, передвигающийся по плохим дорогам, тракторы, сельхозтехника
13-15 - для очень сильных вибраций и качек, карьерная и горно-шахтная спецтехника
Для умной фильтрации выберите степень фильтрации в соответствии с объемом топливного бака</source>
        <translation>Set the filtration level according to the operating conditions. For median filtration:
0-1 - stationary tanks
2-6 - vehicles driving on good roads
7-12 - vehicles driving on bad roads, tractors, agricultural machinery
13-15 - very strong vibration and rocking, quarry and mining machinery
For smart filtration choose the filtration level according to the volume of the fuel tank</translation>
    </message>
    <message>
        <source>Режим – секция выбора режима работы датчика. После изменения режима не забудьте сохранить                        изменения.</source>
        <translation>Mode – the section for choosing the sensor&apos;s operating mode. Do not forget to save the changes after changing the mode.</translation>
    </message>
    <message>
        <source>Фильтрация - функция усреднения значений за определённый промежуток времени для исключения влияния                         на показания механических воздействий на ёмкость с топливо или само топливо (например, вибрация,                                                                                                      непродолжительное движение транспортного средства по наклонной поверхности).</source>
        <translation>Filtration – averages the readings over a period of time so that mechanical influences on the tank or the fuel itself do not affect them (for example, vibration or the vehicle briefly driving on a slope).</translation>
    </message>
    <message>
        <source>Сетевой адрес – сетевой адрес подключенного датчика. По умолчанию сетевой адрес датчика 1 При                         необходимости изменения введите необходимый сетевой номер и сохраните изменения.</source>
        <translation>Network address – the network address of the connected sensor. By default the sensor&apos;s network address is 1. To change it, enter the new network number and save the changes.</translation>
    </message>
    <message>
        <source>Мин. уровень – минимальное обработанное значение, которое формирует датчик в диапазоне от 0 до 1023.                         Для изменения введите необходимое число и сохраните изменения.</source>
        <translation>Min. level – the minimum processed value that the sensor produces, in the range from 0 to 1023. To change it, enter the required number and save the changes.</translation>
    </message>
    <message>
        <source>СOМ* – виртуальный СОМ–порт для связи конфигуратора с ДУТ через преобразователь интерфейса. После                         подключения преобразователя интерфейса COM-порт определится автоматически, при условии, что                         корректно установлен драйвер устройства и в ПК не имеется больше виртуальных COM-портов. В противном                         случае нужный COM-порт необходимо выбрать из списка.</source>
        <translation>COM* – the virtual COM port through which the configurator talks to the fuel level sensor via the interface converter. Once the interface converter is connected, the COM port is found automatically, provided that the device driver is installed correctly and the PC has no other virtual COM ports. Otherwise choose the right COM port from the list.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Обновить прошивку&lt;/b&gt; – позволяет обновить/сменить программное обеспечение датчика. Для запуска процесса                         прошивки отключите датчик от преобразователя интерфейса (программатора), выберите файл прошивки,                        затем подключите датчик обратно. Дождитесь пока строка прогресса заполнится на 100%.&lt;br&gt;                         &lt;b&gt;Отменить несохранённые настройки&lt;/b&gt; – позволяет отменить внесенные изменения при настройке датчика.                         Применяется в случае, если были внесены изменения (без записи в устройство), но в процессе                        конфигурирования специалист забыл какие именно настройки были подготовлены к изменению.&lt;br&gt;                         &lt;b&gt;Загрузить заводские настройки&lt;/b&gt; – позволяет вернуть настройки датчика до заводских.&lt;br&gt;                         &lt;b&gt;Инженерное меню&lt;/b&gt; – меню настроек дополнительных возможностей датчиков.                        &lt;b&gt;Безопасность&lt;/b&gt; - функция позволяет установить пароль на изменение настроек датчика. После установки                        пароль вступит в силу (не даст изменить настройки) как только отключить датчик от программы для                        настройки. Для изменения настроек необходимо сначала ввести пароль. Чтоб удалить пароль введите его и                        нажмите соответствующую кнопку.</source>
        <translation>&lt;b&gt;Update firmware&lt;/b&gt; – updates or replaces the sensor&apos;s software. To start, disconnect the sensor from the interface converter (programmer), choose the firmware file, then connect the sensor again. Wait until the progress bar reaches 100%.&lt;br&gt; &lt;b&gt;Discard unsaved settings&lt;/b&gt; – undoes the changes made while setting up the sensor. Use it when settings were changed (without writing them to the device) and it is no longer clear which ones were prepared for change.&lt;br&gt; &lt;b&gt;Load factory settings&lt;/b&gt; – returns the sensor to its factory settings.&lt;br&gt; &lt;b&gt;Engineer menu&lt;/b&gt; – settings of the sensors&apos; additional features. &lt;b&gt;Security&lt;/b&gt; - sets a password that protects the sensor&apos;s settings. The password takes effect (settings can no longer be changed) as soon as the sensor is disconnected from the program. To change the settings, enter the password first. To remove the password, enter it and press the corresponding button.</translation>
    </message>
    <message>
        <source>Переход в раздел «Тарировка», где осуществляется и сохраняется порционное                         градуирование топливной емкости.</source>
        <translation>Opens the &quot;Calibration&quot; section, where the fuel tank is calibrated portion by portion and the result is saved.</translation>
    </message>
    <message>
        <source>Инверсия индикатора – меняет логику работы выхода датчика, подключаемого к штатному стрелочному                         указателю авто. Функция необходима, если стрелочный индикатор уровня топлива работает с обратной                         логикой, то есть при полном баке сопротивление нулевое, а при пустом максимальное. Примером                         использование данной функции является подключение к стрелочному указателю авто семейства ГАЗ.</source>
        <translation>Reversed indicator – reverses the logic of the sensor output that drives the vehicle&apos;s standard dial gauge. Needed when the fuel gauge works the other way round, that is, the resistance is zero with a full tank and maximal with an empty one. An example is connecting to the dial gauge of GAZ vehicles.</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона – включает функцию передачи датчиком показание акселерометра. &lt;br&gt;Актуально                         для модели КФ-470. Передача значения угла отклонения осуществляется по протоколу LLS следующим                         сетевым адресом относительно адреса данных уровня топлива. Например, если данные по уровню топлива                         передаются по сетевому адресу 1, то значение угла будет по сетевому адресу 2</source>
        <translation>Tilt angle transmission mode – makes the sensor transmit its accelerometer reading. &lt;br&gt;Applies to the QF-470 model. The tilt angle is sent over the LLS protocol at the network address following the fuel level data address. For example, if the fuel level is sent at network address 1, the angle is sent at network address 2</translation>
    </message>
    <message>
        <source>Режим Master – переключает датчик в режим опроса интерфейса RS-485. В этом режиме есть возможность по                         интерфейсу RS-485 подключить к датчику Master до 7 датчиков Slave, работающих по протоколу LLS (если в                                                                                                                         датчике не установить режим Master, то он автоматически будет являться Slave устройством). В свою                         очередь датчик Master передает эти и свои данные по интерфейсу Пассивный RS-232 в формате ASCII без запроса от                         внешних устройств. Актуально для модели КФ-470.</source>
        <translation>Master mode – switches the sensor to polling the RS-485 interface. In this mode up to 7 Slave sensors working over the LLS protocol can be connected to the Master sensor through RS-485 (a sensor not set to Master mode is automatically a Slave device). The Master sensor in turn sends their data and its own over the passive RS-232 interface in ASCII format without being asked by external devices. Applies to the QF-470 model.</translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию – позволяет отключить внутренний алгоритм коррекции уровня от изменения                         температуры. Использовать не рекомендуется.</source>
        <translation>Disable thermal compensation – turns off the internal correction of the level for temperature changes. Not recommended.</translation>
    </message>
    <message>
        <source>Экодрайвинг – включает режим передачи данных по качеству вождения. Данные передаются по протоколу                         LLS в диапазоне от 0 до 15 Передача значения осуществляется следующим сетевым адресом относительно                         адреса данных уровня топлива. Например, если данные по уровню топлива передаются по сетевому адресу 1,                         то оценка качества вождения будет по сетевому адресу 2 Актуально для модели КФ-470.</source>
        <translation>Ecodriving – makes the sensor transmit driving quality data. The data are sent over the LLS protocol in the range from 0 to 15 at the network address following the fuel level data address. For example, if the fuel level is sent at network address 1, the driving quality is sent at network address 2. Applies to the QF-470 model.</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы – устанавливает процентное соотношение минимального остатка топлива, при                         котором включится лампа аварийного остатка штатного индикатора уровня топлива.</source>
        <translation>LED triggering threshold – sets the percentage of remaining fuel at which the low fuel lamp of the standard fuel gauge lights up.</translation>
    </message>
    <message>
        <source>Выводит окно, где возможно осуществить ручную                         установку/редактирование конфигураций «Полный» и «Пустой».</source>
        <translation>Opens a window where the &quot;Full&quot; and &quot;Empty&quot; settings can be entered or edited by hand.</translation>
    </message>
    <message>
        <source>Включает функцию пересчета по тарировочной таблице и                         получения данных в литрах или процентах. Так же выводит окно для ввода и сохранения тарировочной                         таблицы в память датчика. Актуально для моделей КФ-410 и КФ-470.</source>
        <translation>Turns on conversion by the calibration table so that data come in liters or percent. Also opens a window for entering the calibration table and saving it to the sensor&apos;s memory. Applies to the QF-410 and QF-470 models.</translation>
    </message>
    <message>
        <source>Дистанционное управление – меню, где есть возможность сформировать команду для запроса конфигурации                         и изменения некоторых параметров датчиков «Мирвел КФ», которые подключены к навигационному                         терминалу по интерфейсу RS-485. Сформированная команда отправляется посредством SMS, либо через                         сервер.</source>
        <translation>Remote control – a menu for building commands that read the configuration and change some parameters of &quot;Mirvel QF&quot; sensors connected to a vehicle tracker over RS-485. The command is sent by SMS or through the server.</translation>
    </message>
    <message>
        <source>Объем заливаемой/сливаемой порции топлива при тарировании. При                         нажатии кнопки «Добавить строку» в таблицу автоматически записывается текущее значение датчика, а в                         столбец «Литры» записывается значение большее на шаг заправки.</source>
        <translation>The volume of the fuel portion poured in or drained during calibration. When &quot;Add row&quot; is pressed, the current sensor value is written into the table automatically, and the &quot;Liters&quot; column gets a value larger by the filling step.</translation>
    </message>
    <message>
        <source>Добавляет столбец с информацией о подключенном датчике для последующего                         заполнения данными по процессу тарирования.</source>
        <translation>Adds a column with the connected sensor, to be filled in during calibration.</translation>
    </message>
    <message>
        <source>Удаляет последний столбец тарировочной таблицы, где находятся данные по тарируемому датчику</source>
        <translation>Removes the last column of the calibration table, which holds the data of the sensor being calibrated</translation>
    </message>
    <message>
        <source>Добавляет строку в тарировочную таблицу и вносит текущее показание уровня.</source>
        <translation>Adds a row to the calibration table with the current level reading.</translation>
    </message>
    <message>
        <source>Удаляет последнюю строку в тарировочной таблице</source>
        <translation>Removes the last row of the calibration table</translation>
    </message>
    <message>
        <source>Сохраняет тарировочную таблицу и завершает процесс тарирования.</source>
        <translation>Saves the calibration table and finishes the calibration.</translation>
    </message>
    <message>
        <source>Позволяет выбрать датчик из списка, если подключено несколько датчиков                         одновременно, для последующей настройки. При подключении к преобразователю интерфейса нескольких                         датчиков (с разными сетевыми адресами) в этой строке есть возможность переключаться между датчика                         выбрав необходимый сетевой адрес из списка.</source>
        <translation>Lets you pick a sensor from the list for setting up when several sensors are connected at once. With several sensors (with different network addresses) on the interface converter, switch between them here by choosing the network address from the list.</translation>
    </message>
    <message>
        <source>Сохраняет изменения настроек в датчике.</source>
        <translation>Saves the changed settings in the sensor.</translation>
    </message>
    <message>
        <source>Кнопка выбора интерфейса настройки датчиков уровня топлива.</source>
        <translation>Chooses the setup interface for fuel level sensors.</translation>
    </message>
    <message>
        <source>Отображает список сетевых адресов датчиков, подключенных к преобразователю интерфейса</source>
        <translation>Shows the network addresses of the sensors connected to the interface converter</translation>
    </message>
    <message>
        <source>Отображает текущий уровень топлива в выбранном диапазоне.</source>
        <translation>Shows the current fuel level in the chosen range.</translation>
    </message>
    <message>
        <source>Отображает частоту.</source>
        <translation>Shows the frequency.</translation>
    </message>
    <message>
        <source>Отображает напряжение.</source>
        <translation>Shows the voltage.</translation>
    </message>
    <message>
        <source>Температура датчика.</source>
        <translation>Sensor temperature.</translation>
    </message>
    <message>
        <source>Версия программного обеспечения (прошивки) датчика.</source>
        <translation>Sensor software (firmware) version.</translation>
    </message>
    <message>
        <source>Серийный номер датчика.</source>
        <translation>Sensor serial number.</translation>
    </message>
    <message>
        <source>Показатель RSSI, то есть уровень приема сигнала (полная мощность принимаемого приёмником сигнала).                        При значении менее -80дБм возможна потеря связи.</source>
        <translation>RSSI, the received signal level (total power of the signal at the receiver). Below -80 dBm the connection may be lost.</translation>
    </message>
    <message>
        <source>Уровень заряда батареи. При значении менее 3,2В возможно отключение или некорректная работа датчика.</source>
        <translation>Battery charge. Below 3.2 V the sensor may switch off or work incorrectly.</translation>
    </message>
    <message>
        <source>Функция позволяет сменить привязанный к базе датчик.                        Для этого необходимо ввести серийный номер датчика, который хотите привязать.</source>
        <translation>Changes the sensor linked to the base. Enter the serial number of the sensor you want to link.</translation>
    </message>
    <message>
        <source>Кнопка запуска режима обновления программного обеспечения адаптера.                        Дальнейший алгоритм действий появится при нажатии на кнопку.</source>
        <translation>Starts the adapter&apos;s software update mode. The next steps are shown when the button is pressed.</translation>
    </message>
    <message>
        <source>кнопка запуска режима обновления программного обеспечения датчика.Дальнейший алгоритм действий появится при нажатии на кнопку.</source>
        <translation>Starts the sensor&apos;s software update mode. The next steps are shown when the button is pressed.</translation>
    </message>
    <message>
        <source>Секция, где отображается версия программного обеспечения подключенного датчика.</source>
        <translation>Shows the software version of the connected sensor.</translation>
    </message>
    <message>
        <source>Секция, где отображается версия программного обеспечения подключенного адаптера.</source>
        <translation>Shows the software version of the connected adapter.</translation>
    </message>
    <message>
        <source>Индикация наличия/отсутствия пароля датчика</source>
        <translation>Shows whether the sensor has a password</translation>
    </message>
    <message>
        <source>Выбрать одно из подключенных устройство для его настройки</source>
        <translation>Choose one of the connected devices to set it up</translation>
    </message>
    <message>
        <source>Выбрать один из доступных режимов работы датчика - выбирайте в зависимости от того, какой интерфейс будет использоваться на принимающем устройстве</source>
        <translation>Choose one of the sensor&apos;s operating modes, according to the interface used by the receiving device</translation>
    </message>
    <message>
        <source>Настройка выдачи уровня топлива в определенном диапазоне</source>
        <translation>Output of the fuel level in a chosen range</translation>
    </message>
    <message>
        <source>Один из двух доступных алгоритмов сглаживания
Если при эксплуатации заправка будет производиться как на АЗС (со скоростью не более 50 л/мин), так и канистрами/ведрами, то выберите медианный алгоритм фильтрации
Если заправка будет производиться только на АЗС (со скоростью не более 50 л/мин), то можно выбрать умный алгоритм фильтрации</source>
        <translation>One of the two smoothing algorithms
If the tank will be filled both at filling stations (at no more than 50 l/min) and from cans or buckets, choose the median filtration algorithm
If the tank will be filled only at filling stations (at no more than 50 l/min), the smart filtration algorithm can be chosen</translation>
    </message>
    <message>
        <source>При необходимости Вы можете поменять сетевой адрес датчика в этом поле - просто введите новый адрес.Избегайте конфликта сетевых адресов с другими датчиками</source>
        <translation>If needed, change the sensor&apos;s network address here - just enter the new address. Avoid address conflicts with other sensors</translation>
    </message>
    <message>
        <source>Только после нажатия этой кнопки новые настройки будут записаны в память устройства</source>
        <translation>The new settings are written to the device memory only after this button is pressed</translation>
    </message>
    <message>
        <source>Сетевые адреса всех доступных для подключения устройств</source>
        <translation>Network addresses of all devices available for connection</translation>
    </message>
    <message>
        <source>Период отправки в секундах</source>
        <translation>Transmission interval in seconds</translation>
    </message>
    <message>
        <source>GPS/ГЛОНАСС - количество спутников GPS и ГЛОНАСС, участвующих в определении координат.</source>
        <translation>GPS/GLONASS - the number of GPS and GLONASS satellites used to determine the position.</translation>
    </message>
    <message>
        <source>Качество сигнала - соотношение уровня приема сигнала от спутников к уровню помех. Чем выше коэффициент, тем лучше уровень приема сигнала. Хорошим уровнем приема сигнала считается коэффициент выше 30.</source>
        <translation>Signal quality - the ratio of the satellite signal level to the noise level. The higher the ratio, the better the reception. A ratio above 30 is considered good.</translation>
    </message>
    <message>
        <source>Статус подключения - информация об этапах запуска датчика и подключения к серверу.</source>
        <translation>Connection status - the stages of the sensor&apos;s start-up and of its connection to the server.</translation>
    </message>
    <message>
        <source>Трафик - количество переданных сообщений на сервер с момента подачи питания</source>
        <translation>Messages sent - the number of messages sent to the server since power-on</translation>
    </message>
    <message>
        <source>Uвх - напряжение питания датчика</source>
        <translation>Uin - the sensor&apos;s supply voltage</translation>
    </message>
    <message>
        <source>Выбор оператора - меню выбора оператора сотовой сети, чья SIM карта используется. Позволяет автоматически загрузить в настройки датчика стандартные настройки сотовой сети выбранного оператора. Для ручного настроек выберите &quot;Другой&quot;</source>
        <translation>Mobile carrier - choose the mobile network operator whose SIM card is used. Loads that operator&apos;s standard network settings into the sensor settings. For manual setup choose &quot;Other&quot;</translation>
    </message>
    <message>
        <source>Точка доступа - настройка GPRS мобильного оператора, через которую пользователь подключается к услуге передачи данных.</source>
        <translation>APN - the mobile operator&apos;s GPRS access point through which the data service is reached.</translation>
    </message>
    <message>
        <source>Пользователь - логин для подключения услуги передачи данных</source>
        <translation>User - the login for the data service</translation>
    </message>
    <message>
        <source>Пароль - пароль для подключения услуги переадчи данных</source>
        <translation>Password - the password for the data service</translation>
    </message>
    <message>
        <source>Пин код SIM - пин код SIM карты (если проверка пин кода отключена, то пропустите этот пункт)</source>
        <translation>SIM PIN-code - the PIN code of the SIM card (skip it if the PIN check is turned off)</translation>
    </message>
    <message>
        <source>Адрес - IP адрес или доменное имя сервера, к которому подключается датчик для передачи данных</source>
        <translation>IP Address - the IP address or domain name of the server the sensor sends its data to</translation>
    </message>
    <message>
        <source>Порт - номер порта на сервере, на который передаются данные</source>
        <translation>Port - the server port the data are sent to</translation>
    </message>
    <message>
        <source>Пароль доступа - пароль, по которому осуществляется регистрация на сервере (при необходимости использования указывается в настройках датчика и в настройках на сервере)</source>
        <translation>Access password - the password for registering on the server (if used, it is set both in the sensor settings and on the server)</translation>
    </message>
    <message>
        <source>Протокол ЕГТС - переключение фомата передачи данных датчиком в формат протокола ЕГТС (по умолчанию используется протокол Wialon IPS)</source>
        <translation>EGTS Protocol - switches the sensor&apos;s data format to the EGTS protocol (Wialon IPS is used by default)</translation>
    </message>
    <message>
        <source>Фильтрация - сглаживание измерений уровня топлива. Используется для фильтрации кратковременных скачков показаний уровня топлива при эксплуатации датчика на ТС (вибрация, колебания топлива в баке в движении ТС и т.п.)</source>
        <translation>Filtration - smoothing of the fuel level readings. Filters out short jumps of the level while the vehicle is in use (vibration, fuel sloshing in the tank while moving, etc.)</translation>
    </message>
    <message>
        <source>Включение или отключение протокола UDP</source>
        <translation>Turns the UDP protocol on or off</translation>
    </message>
    <message>
        <source>Измерительные трубки оторвались от платы в результате внешнего механического воздействия. Необходима замена датчика. Также проверьте правильность калибровок - вероятно, калибровка пустого бака неверна</source>
        <translation>The measuring tubes have come off the board after an external mechanical impact. The sensor must be replaced. Also check the calibration - the empty tank calibration is probably wrong</translation>
    </message>
    <message>
        <source>В пространство между двумя измерительными трубками попала вода, грязь или металлическая стружка. Необходима продувка/промывка. Также проверьте правильность калибровок - вероятно, калибровка полного бака неверна</source>
        <translation>Water, dirt or metal chips have got between the two measuring tubes. Blow out or flush the sensor. Also check the calibration - the full tank calibration is probably wrong</translation>
    </message>
    <message>
        <source>Настройки программы</source>
        <translation>Program settings</translation>
    </message>
    <message>
        <source>Дистанционное управление</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Отменить несохранённые настройки</source>
        <translation>Discard unsaved settings</translation>
    </message>
    <message>
        <source>Загрузить заводские настройки</source>
        <translation>Load factory settings</translation>
    </message>
    <message>
        <source>Инженерное меню</source>
        <translation>Engineer menu</translation>
    </message>
    <message>
        <source>Безопасность</source>
        <translation>Security</translation>
    </message>
    <message>
        <source>Обновить прошивку</source>
        <translation>Update firmware</translation>
    </message>
    <message>
        <source>Вы хотите отменить изменения настроек?</source>
        <translation>Do you want to discard the settings changes?</translation>
    </message>
    <message>
        <source>Будут загружены заводские установки</source>
        <translation>Factory settings will be loaded</translation>
    </message>
    <message>
        <source>Не удалось проверить обновления</source>
        <translation>Could not check for updates</translation>
    </message>
    <message>
        <source>Вы используете актуальную версию ПО</source>
        <translation>You are using the latest version</translation>
    </message>
    <message>
        <source>Доступна новая версия конфигуратора. Перейдите на наш сайт для загрузки</source>
        <translation>A new version of the configurator is available. Visit our website to download it</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Attention!</translation>
    </message>
    <message>
        <source>Введён некорректный ответ!
Проверьте правильность ввода</source>
        <translation>The answer entered is incorrect!
Check what you entered</translation>
    </message>
    <message>
        <source>Значение вне допустимого диапазона</source>
        <translation>Value outside the allowed range</translation>
    </message>
    <message>
        <source>Калибровка произведена</source>
        <translation>Calibration done</translation>
    </message>
    <message>
        <source>Настройки записаны</source>
        <translation>Settings written</translation>
    </message>
    <message>
        <source>Тарировку рекомендуется делать
при отключенном сглаживании</source>
        <translation>Tank calibration is best done
with smoothing turned off</translation>
    </message>
    <message>
        <source>Вы уверены?</source>
        <translation>Are you sure?</translation>
    </message>
    <message>
        <source>Внимание!Датчик неоткалиброван на пустой-полный
перейти к тарировке?</source>
        <translation>Warning! The sensor is not calibrated empty/full
Go on to tank calibration?</translation>
    </message>
    <message>
        <source>Внимание! Найдена незаконченная тарировка. 
Хотите её продолжить?</source>
        <translation>Warning! An unfinished tank calibration was found. 
Do you want to continue it?</translation>
    </message>
    <message>
        <source>Добавить датчик</source>
        <translation>Add sensor</translation>
    </message>
    <message>
        <source>Подключен только один датчик</source>
        <translation>Only one sensor is connected</translation>
    </message>
    <message>
        <source>Возможно тарировка закончена. Или проверьте параметры тарировки
Шаг тарировки должен быть меньше остатка топлива</source>
        <translation>The calibration may be over. Or check the calibration settings
The step must be smaller than the fuel left</translation>
    </message>
    <message>
        <source>г</source>
        <translation>gal</translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>The table cannot have fewer than 20 rows</translation>
    </message>
    <message>
        <source>В таблице могут быть только целые числа от 0 до 65535</source>
        <translation>The table may hold only whole numbers from 0 to 65535</translation>
    </message>
    <message>
        <source>Таблица успешно записана</source>
        <translation>Table written successfully</translation>
    </message>
    <message>
        <source>Датчик не подтвердил запись таблицы</source>
        <translation>The sensor did not confirm the table write</translation>
    </message>
    <message>
        <source>Вы хотите завершить тарировку?</source>
        <translation>Do you want to finish the tank calibration?</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Временный файл не был найден.
Вы хотите открыть *.csv файл?</source>
        <translation>No temporary file was found.
Do you want to open a *.csv file?</translation>
    </message>
    <message>
        <source>Выберете файл с расширением *.csv</source>
        <translation>Choose a file with the *.csv extension</translation>
    </message>
    <message>
        <source>Не удалось открыть файл тарировки</source>
        <translation>Could not open the calibration file</translation>
    </message>
    <message>
        <source>Файл тарировки не содержит данных</source>
        <translation>The calibration file holds no data</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Waiting for the sensor to answer</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Some settings were not written
Try again</translation>
    </message>
    <message>
        <source>Сейчас датчик будет перезагружен
После успешной перезагрузки у вас есть примерно
30 секунд на запуск процесса обновления
прошивки в программе NRFConnect.</source>
        <translation>The sensor will restart now
Once it has restarted you have about
30 seconds to start the firmware
update in NRFConnect.</translation>
    </message>
    <message>
        <source>Не удалось сохранить таблицу в файл</source>
        <translation>Could not save the table to the file</translation>
    </message>
    <message>
        <source>Недопустимое значение: %1
Введите число от %2 до %3</source>
        <translation>Invalid value: %1
Enter a number from %2 to %3</translation>
    </message>
    <message>
        <source>Слейв 1</source>
        <translation>Slave 1</translation>
    </message>
    <message>
        <source>Слейв 2</source>
        <translation>Slave 2</translation>
    </message>
    <message>
        <source>Слейв 3</source>
        <translation>Slave 3</translation>
    </message>
    <message>
        <source>Слейв 4</source>
        <translation>Slave 4</translation>
    </message>
    <message>
        <source>Слейв 5</source>
        <translation>Slave 5</translation>
    </message>
    <message>
        <source>Слейв 6</source>
        <translation>Slave 6</translation>
    </message>
    <message>
        <source>Слейв 7</source>
        <translation>Slave 7</translation>
    </message>
    <message>
        <source>Установить
период</source>
        <translation>Set
period</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>Полный</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>Откалибровать</source>
        <translation>Calibrate</translation>
    </message>
    <message>
        <source>Калибровка без топлива</source>
        <translation>Calibration without fuel</translation>
    </message>
    <message>
        <source>Сейчас будет произведена автоматическая калибровка Пустой/Полный</source>
        <translation>Automatic Empty/Full calibration is about to be performed</translation>
    </message>
    <message>
        <source>Значение &quot;Пустой&quot; не может быть больше &quot;Полный&quot;</source>
        <translation>The &quot;Empty&quot; value cannot be greater than &quot;Full&quot;</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Пустой&quot;</source>
        <translation>Set a valid &quot;Empty&quot; value</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Полный&quot;</source>
        <translation>Set a valid &quot;Full&quot; value</translation>
    </message>
    <message>
        <source>Введите число от %1 до %2</source>
        <translation>Enter a number from %1 to %2</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень
аварийного остатка топлива.

Вы уверены?</source>
        <translation>A new low fuel
alarm level is about to be set.

Are you sure?</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;Полный&quot;
Вы уверены?</source>
        <translation>A new &quot;Full&quot; level is about to be set
Are you sure?</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;Пустой&quot;
Вы уверены?</source>
        <translation>A new &quot;Empty&quot; level is about to be set
Are you sure?</translation>
    </message>
    <message>
        <source>Установку &quot;Полный&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation>It is recommended to set &quot;Full&quot;
with smoothing switched off</translation>
    </message>
    <message>
        <source>Установку &quot;Пустой&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation>It is recommended to set &quot;Empty&quot;
with smoothing switched off</translation>
    </message>
    <message>
        <source>Сейчас будут записаны новые настройки</source>
        <translation>The new settings will be written now</translation>
    </message>
    <message>
        <source>Сейчас будет установлен &quot;НОЛЬ&quot;</source>
        <translation>The &quot;ZERO&quot; will be set now</translation>
    </message>
    <message>
        <source>Данные выбранного датчика ещё не получены от индикатора.
Повторите через несколько секунд</source>
        <translation>The selected sensor&apos;s data has not come from the indicator yet.
Try again in a few seconds</translation>
    </message>
    <message>
        <source>Незаконченная тарировка сохранена в файле
%1</source>
        <translation>The unfinished tank calibration was kept in the file
%1</translation>
    </message>
    <message>
        <source>Дождитесь окончания обновления прошивки</source>
        <translation>Wait until the firmware update is over</translation>
    </message>
    <message>
        <source>Обновление прошивки прервано</source>
        <translation>The firmware update was interrupted</translation>
    </message>
    <message>
        <source>«%1» в столбце «%2», строке %3</source>
        <translation>“%1” in column “%2”, row %3</translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
Файл не читается как текст таблицы</source>
        <translation>The table from the file was not written to the indicator
The file cannot be read as the text of a table</translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
Недопустимое значение: %1
Допустимы числа от %2 до %3</source>
        <translation>The table from the file was not written to the indicator
Invalid value: %1
Numbers from %2 to %3 are allowed</translation>
    </message>
    <message>
        <source>Строки файла, которые не удалось прочитать, пропущены: %1
Номера строк: %2</source>
        <translation>Lines of the file that could not be read were skipped: %1
Line numbers: %2</translation>
    </message>
    <message>
        <source>Не удалось переместить незаконченную тарировку
%1
Таблица не записывается в файл</source>
        <translation>The unfinished calibration could not be moved aside
%1
The table is not being written to a file</translation>
    </message>
    <message>
        <source>Не удалось записать файл тарировки
%1
Таблица не записывается в файл</source>
        <translation>The calibration file could not be written
%1
The table is not being written to a file</translation>
    </message>
    <message>
        <source>Датчик не сообщил серийный номер.
Тарировка не начата, попробуйте ещё раз</source>
        <translation>The sensor has not reported its serial number.
The calibration was not started, try again</translation>
    </message>
    <message>
        <source>Датчик 2 не сообщил серийный номер.
Второй датчик не добавлен, попробуйте ещё раз</source>
        <translation>Sensor 2 has not reported its serial number.
The second sensor was not added, try again</translation>
    </message>
    <message>
        <source>Датчик 2 ещё не сообщил уровень.
Второй датчик не добавлен, попробуйте ещё раз</source>
        <translation>Sensor 2 has not reported its level yet.
The second sensor was not added, try again</translation>
    </message>
    <message>
        <source>Датчик %1 не отвечает.
Порция не записана: дождитесь его уровня или удалите датчик из тарировки</source>
        <translation>Sensor %1 does not answer.
The portion was not recorded: wait for its level or remove the sensor from the calibration</translation>
    </message>
    <message>
        <source>Датчики на линии не те, с которыми начата тарировка.
Порция не записана</source>
        <translation>The sensors on the line are not the ones the calibration began with.
The portion was not recorded</translation>
    </message>
    <message>
        <source>Датчик 2 не сообщил серийный номер.
Тарировка двух датчиков пока недоступна</source>
        <translation>Sensor 2 has not reported its serial number.
A two-sensor calibration is not available yet</translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
В файле нет ни одной строки таблицы</source>
        <translation>The table from the file was not written to the indicator
The file holds no row of a table</translation>
    </message>
    <message>
        <source>В файле показания двух датчиков, а тарировка идёт с одним датчиком.
Файл не загружен</source>
        <translation>The file holds the readings of two sensors, but the calibration runs with one sensor.
The file was not loaded</translation>
    </message>
    <message>
        <source>В файле показания одного датчика, а тарировка идёт с двумя датчиками.
Файл не загружен</source>
        <translation>The file holds the readings of one sensor, but the calibration runs with two sensors.
The file was not loaded</translation>
    </message>
    <message>
        <source>Датчик не ответил
Запись параметров не подтверждена</source>
        <translation>The sensor did not answer
The parameter write is not confirmed</translation>
    </message>
    <message>
        <source>Датчик ещё не сообщил уровень.
Тарировка не начата, попробуйте ещё раз</source>
        <translation>The sensor has not reported its level yet.
The calibration was not started, try again</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл тарировки
%1
Тарировка не завершена</source>
        <translation>Could not save the calibration file
%1
The calibration is not finished</translation>
    </message>
    <message>
        <source>Не удалось записать копию тарировки
%1</source>
        <translation>Could not write the calibration copy
%1</translation>
    </message>
    <message>
        <source>Не удалось удалить временный файл тарировки
%1
При следующем запуске тарировка будет предложена снова</source>
        <translation>Could not remove the temporary calibration file
%1
The calibration will be offered again at the next start</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation>Could not save the file</translation>
    </message>
    <message>
        <source>Порт не найден: преобразователь отключён.</source>
        <translation>Port not found: the converter is unplugged.</translation>
    </message>
    <message>
        <source>Нет прав на доступ к порту. Его открывают участники группы %1: добавьте в неё пользователя (sudo usermod -aG %1 $USER) и войдите в систему заново.</source>
        <translation>No permission to open the port. Members of the group %1 may open it: add the user to that group (sudo usermod -aG %1 $USER) and log in again.</translation>
    </message>
    <message>
        <source>Порт занят другой программой.</source>
        <translation>The port is in use by another program.</translation>
    </message>
    <message>
        <source>Это не последовательный порт.</source>
        <translation>This is not a serial port.</translation>
    </message>
    <message>
        <source>Не удалось открыть порт %1.</source>
        <translation>Could not open port %1.</translation>
    </message>
    <message>
        <source>Нет прав на доступ к порту. Доступ к нему даёт администратор системы.</source>
        <translation>No permission to open the port. The system administrator can give access to it.</translation>
    </message>
</context>
<context>
    <name>SaveFileName</name>
    <message>
        <source>Файл с таким именем уже существует.
Заменить его?</source>
        <translation>A file with this name already exists.
Replace it?</translation>
    </message>
</context>
<context>
    <name>Security</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Set password</translation>
    </message>
    <message>
        <source>Удалить пароль</source>
        <translation>Delete password</translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation>Changing the device settings is password protected.
Enter the password</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>Changing the sensor settings is not password protected
You can set a password or skip this step</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Введите пароль: число от 0 до %1</source>
        <translation>Enter the password: a number from 0 to %1</translation>
    </message>
    <message>
        <source>Неизвестно, защищён ли датчик паролем
Введите пароль или установите новый</source>
        <translation>It is not known whether the sensor is password protected
Enter the password or set a new one</translation>
    </message>
</context>
<context>
    <name>SecurityBLE</name>
    <message>
        <source>Ввести пароль датчика</source>
        <translation>Enter sensor password</translation>
    </message>
    <message>
        <source>Установить пароль датчика</source>
        <translation>Set sensor password</translation>
    </message>
    <message>
        <source>Удалить пароль датчика</source>
        <translation>Delete sensor password</translation>
    </message>
    <message>
        <source>Изменение настроек датчика защищено паролем.
Введите пароль</source>
        <translation>Changing the sensor settings is password protected.
Enter the password</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>Changing the sensor settings is not password protected
You can set a password or skip this step</translation>
    </message>
    <message>
        <source>Ожидаем ответ беспроводного датчика:
защищён ли он паролем</source>
        <translation>Waiting for the wireless sensor to answer
whether it is password protected</translation>
    </message>
    <message>
        <source>Неизвестно, защищён ли датчик паролем
Введите пароль или установите новый</source>
        <translation>It is not known whether the sensor is password protected
Enter the password or set a new one</translation>
    </message>
</context>
<context>
    <name>TarGraph</name>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation>BACK</translation>
    </message>
    <message>
        <source>Недостаточно данных для построения графика</source>
        <translation>Not enough data to draw the graph</translation>
    </message>
    <message>
        <source>График тарировки датчиков</source>
        <translation>Sensor calibration graph</translation>
    </message>
    <message>
        <source>Показания датчика</source>
        <translation>Sensor reading</translation>
    </message>
    <message>
        <source>Объём в литрах/галлонах</source>
        <translation>Volume in liters/gallons</translation>
    </message>
</context>
<context>
    <name>TarRun</name>
    <message>
        <source>Галлоны</source>
        <translation>Gallons</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
</context>
<context>
    <name>WidgetTar</name>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrated</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Stable</translation>
    </message>
</context>
<context>
    <name>WiredTagDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect the sensor</translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor connected</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation>Wait until the operation in progress ends</translation>
    </message>
    <message>
        <source>Введите шестнадцатеричное число: цифры 0-9 и буквы a-f</source>
        <translation>Enter a hexadecimal number: digits 0-9 and letters a-f</translation>
    </message>
</context>
</TS>
