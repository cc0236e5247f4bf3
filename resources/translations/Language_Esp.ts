<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_419" sourcelanguage="ru_RU">
<context>
    <name>AdwertDialog</name>
    <message>
        <source>Установить соединение</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Введите номер датчика и пароль</source>
        <translation>Introduzca el número del sensor y la contraseña</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Número</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Для ДУТ QF BLE введите QF_XXXXXX</source>
        <translation>Para un sensor de combustible QF BLE introduzca QF_XXXXXX</translation>
    </message>
    <message>
        <source>Для датчика освещённости введите YQ_XXXXXX</source>
        <translation>Para un sensor de luz introduzca YQ_XXXXXX</translation>
    </message>
    <message>
        <source>Для датчика угла введите KV_XXXXXX</source>
        <translation>Para un sensor de ángulo introduzca KV_XXXXXX</translation>
    </message>
    <message>
        <source>где XXXXXX - серийный номер датчика</source>
        <translation>donde XXXXXX es el número de serie del sensor</translation>
    </message>
    <message>
        <source>Введите пароль: число от 0 до %1</source>
        <translation>Introduzca la contraseña: un número de 0 a %1</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Esperando la respuesta del sensor</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Error de conexión</translation>
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
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Набор передаваемых параметров:</source>
        <translation>Valores enviados:</translation>
    </message>
    <message>
        <source>Освещенность</source>
        <translation>Iluminancia</translation>
    </message>
    <message>
        <source>Давление</source>
        <translation>Presión</translation>
    </message>
    <message>
        <source>Отправлять доп. параметры по сети</source>
        <translation>Enviar valores adicionales por la red</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>Подключить датчик</source>
        <translation>Conectar un sensor</translation>
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
        <translation>Humedad</translation>
    </message>
    <message>
        <source>Подключить другой</source>
        <translation>Conectar otro</translation>
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
        <translation>Por llenado</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>Por vaciado</translation>
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
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation>Esperando la respuesta del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Нет показаний датчика
Дождитесь их и повторите калибровку</source>
        <translation>Aún no hay lecturas del sensor
Espérelas y vuelva a calibrar</translation>
    </message>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation>Esperando respuesta del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>Función en desarrollo</translation>
    </message>
    <message>
        <source>Подключите другое</source>
        <translation>Conecte otro dispositivo</translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation>El dispositivo conectado no coincide con el elegido</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation>Sin enlace con el sensor inalámbrico</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation>Enlazado con el sensor inalámbrico</translation>
    </message>
    <message>
        <source>Подключен VO-DIZ</source>
        <translation>VO-DIZ conectado</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Contraseña aceptada</translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation>Se eliminó la contraseña del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation>Se estableció la nueva contraseña del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Введён не верный пароль датчика</source>
        <translation>Contraseña del sensor incorrecta</translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation>El sensor inalámbrico se reinició</translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation>Si al terminar el temporizador
no ve el sensor en NRFConnect,
la actualización falló
Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation>Nivel </translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>No calibrado</translation>
    </message>
    <message>
        <source>UUID ВТ датчика успешно изменен</source>
        <translation>Se cambió el UUID del sensor inalámbrico</translation>
    </message>
    <message>
        <source>S/N ВТ датчика успешно изменен</source>
        <translation>Se cambió el N/S del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Директивная калибровка ВТ датчика произведена успешно</source>
        <translation>Se calibró el sensor inalámbrico</translation>
    </message>
    <message>
        <source>Калибровка уровня полного ВТ датчика произведена</source>
        <translation>Se calibró el nivel Lleno del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Калибровка уровня пустого ВТ датчика произведена</source>
        <translation>Se calibró el nivel Vacío del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Установлены заводские настройки ВТ датчика</source>
        <translation>El sensor inalámbrico volvió a la configuración de fábrica</translation>
    </message>
    <message>
        <source>Датчик переведен в режим сна</source>
        <translation>El sensor pasó a modo de reposo</translation>
    </message>
    <message>
        <source>Ошибка изменения UUID ВТ датчика</source>
        <translation>No se pudo cambiar el UUID del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Ошибка изменения S/N ВТ датчика</source>
        <translation>No se pudo cambiar el N/S del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Ошибка изменения пароля ВТ датчика</source>
        <translation>No se pudo cambiar la contraseña del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Ошибка директивной калибровки ВТ датчика</source>
        <translation>No se pudo calibrar el sensor inalámbrico</translation>
    </message>
    <message>
        <source>Режим работы ВТ датчика установлен</source>
        <translation>Se estableció el modo de trabajo del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Ошибка установки режима</source>
        <translation>No se pudo establecer el modo</translation>
    </message>
    <message>
        <source>Введите число от %1 до %2</source>
        <translation>Introduzca un número de %1 a %2</translation>
    </message>
    <message>
        <source>Установите другой сетевой адрес</source>
        <translation>Elija otra dirección de red</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Введите номер</source>
        <translation>Introduzca el número</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Error de conexión</translation>
    </message>
    <message>
        <source>Выполняется подключение...</source>
        <translation>Conectando...</translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation>Introduzca el número del sensor</translation>
    </message>
    <message>
        <source>Сейчас в мобильном приложении NRFConnect должно отобразиться устройство BASE_UPDATE
Подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой
Дождитесь, когда шкала прогресса достигнет 100% и осуществите повторное подключение</source>
        <translation>El dispositivo BASE_UPDATE debería aparecer ahora en la aplicación móvil NRFConnect
Conéctese a él, pulse DFU y elija el archivo del firmware
Espere a que la barra de progreso llegue al 100% y vuelva a conectar</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Esperando la respuesta del sensor</translation>
    </message>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation>No se confirmó la eliminación de la contraseña del sensor inalámbrico</translation>
    </message>
</context>
<context>
    <name>BaseDevice</name>
    <message>
        <source>Ошибка
Введён неверный пароль
Попробуйте другой пароль</source>
        <translation>Error
Contraseña incorrecta
Pruebe otra contraseña</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation>Espere a que termine la operación en curso</translation>
    </message>
    <message>
        <source>Сетевой адрес %1 уже занят другим датчиком</source>
        <translation>La dirección de red %1 ya la tiene otro sensor</translation>
    </message>
    <message>
        <source>Выключите и включите питание датчика</source>
        <translation>Apague y encienda la alimentación del sensor</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation>El dispositivo conectado no coincide con el elegido</translation>
    </message>
    <message>
        <source>датчик уровня топлива</source>
        <translation>un sensor de nivel de combustible</translation>
    </message>
    <message>
        <source>датчик угла наклона</source>
        <translation>un sensor de ángulo</translation>
    </message>
    <message>
        <source>датчик ПЛМ-300</source>
        <translation>un sensor PLM300</translation>
    </message>
</context>
<context>
    <name>BoundedIntValidator</name>
    <message>
        <source>Введите целое число от %1 до %2, только цифры</source>
        <translation>Introduzca un número entero de %1 a %2, solo cifras</translation>
    </message>
</context>
<context>
    <name>CalibrationDialogs</name>
    <message>
        <source>Сохранить файл</source>
        <translation>Guardar archivo</translation>
    </message>
</context>
<context>
    <name>CustomDialogInput</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Полный</source>
        <translation>Lleno</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Vacío</translation>
    </message>
</context>
<context>
    <name>DynamicQDialog</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
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
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>No estable</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation>Nivel </translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>No calibrado</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation>Horizonte establecido</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Умная</source>
        <translation>Inteligente</translation>
    </message>
    <message>
        <source>Медианная</source>
        <translation>Mediana</translation>
    </message>
    <message>
        <source>Пассивный RS-485</source>
        <translation>RS-485 pasivo</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>Por llenado</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>Por vaciado</translation>
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
        <translation>hasta 200 litros</translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation>de 200 a 1000 litros</translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation>más de 1000 litros</translation>
    </message>
    <message>
        <source>Тяжёлые условия</source>
        <translation>Condiciones duras</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Estable</translation>
    </message>
    <message>
        <source>Обрыв трубок</source>
        <translation>Rotura de tubos</translation>
    </message>
    <message>
        <source>Короткое замыкание</source>
        <translation>Cortocircuito</translation>
    </message>
    <message>
        <source>Аналоговый</source>
        <translation>Analógico</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>De frecuencia</translation>
    </message>
    <message>
        <source>Импупльсный</source>
        <translation>De impulsos</translation>
    </message>
    <message>
        <source>Активный RS-485</source>
        <translation>RS-485 activo</translation>
    </message>
    <message>
        <source>Пассивный RS-232</source>
        <translation>RS-232 pasivo</translation>
    </message>
    <message>
        <source>Активный RS-232</source>
        <translation>RS-232 activo</translation>
    </message>
    <message>
        <source>тяжёлые условия</source>
        <translation>condiciones duras</translation>
    </message>
    <message>
        <source>Подключен QF410</source>
        <translation>QF410 conectado</translation>
    </message>
    <message>
        <source>Подключен QF210</source>
        <translation>QF210 conectado</translation>
    </message>
    <message>
        <source>Подключен QF260</source>
        <translation>QF260 conectado</translation>
    </message>
    <message>
        <source>Подключен QF470</source>
        <translation>QF470 conectado</translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor conectado</translation>
    </message>
    <message>
        <source>Таблица успешно прочитана</source>
        <translation>Tabla leída correctamente</translation>
    </message>
    <message>
        <source>Нет показаний датчика
Калибровка не выполнена</source>
        <translation>No hay lecturas del sensor
Calibración no realizada</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation>Espere a que termine la operación en curso</translation>
    </message>
    <message>
        <source>Датчик не ответил</source>
        <translation>El sensor no respondió</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Contraseña aceptada</translation>
    </message>
    <message>
        <source>Новый пароль успешно установлен</source>
        <translation>Se estableció la nueva contraseña</translation>
    </message>
    <message>
        <source>Установка пароля не подтверждена</source>
        <translation>No se confirmó el establecimiento de la contraseña</translation>
    </message>
    <message>
        <source>Пароль успешно удалён</source>
        <translation>Se eliminó la contraseña</translation>
    </message>
    <message>
        <source>Ошибка удаления пароля</source>
        <translation>No se pudo eliminar la contraseña</translation>
    </message>
    <message>
        <source>Удаление пароля не подтверждено</source>
        <translation>No se confirmó la eliminación de la contraseña</translation>
    </message>
    <message>
        <source>Пароль не удалён</source>
        <translation>No se eliminó la contraseña</translation>
    </message>
    <message>
        <source>Не отвечает</source>
        <translation>No responde</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Выберите один файл</source>
        <translation>Elija un solo archivo</translation>
    </message>
    <message>
        <source>Файл не найден:
%1</source>
        <translation>Archivo no encontrado:
%1</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdater</name>
    <message>
        <source>Выберете файл прошивки</source>
        <translation>Seleccione un archivo de firmware</translation>
    </message>
    <message>
        <source>Файл прошивки должен соответствовать модели датчика
Возможно, файл повреждён
Выберите другой файл</source>
        <translation>El archivo de firmware debe corresponder al modelo del sensor
Es posible que el archivo esté dañado
Elija otro archivo</translation>
    </message>
    <message>
        <source>Переподключите питание датчика</source>
        <translation>Desconecte y vuelva a conectar la alimentación del sensor</translation>
    </message>
    <message>
        <source>Осталось %1 с</source>
        <translation>Quedan %1 s</translation>
    </message>
    <message>
        <source>Прошивка не обновлена</source>
        <translation>Firmware no actualizado</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика, осталось %1 с</source>
        <translation>Esperando la respuesta del sensor, quedan %1 s</translation>
    </message>
    <message>
        <source>Ошибка в обновлении</source>
        <translation>Error en la actualización</translation>
    </message>
    <message>
        <source>Идёт обновление прошивки датчика</source>
        <translation>Actualizando el firmware del sensor</translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation>Firmware actualizado correctamente</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation>No se pudo guardar el archivo</translation>
    </message>
    <message>
        <source>Датчик остаётся в режиме загрузчика до выключения и включения его питания</source>
        <translation>El sensor permanece en su cargador de arranque hasta que se apague y se encienda su alimentación</translation>
    </message>
    <message>
        <source>Обновление прошивки через этот преобразователь не было завершено, датчик может оставаться в режиме загрузчика
Выключите и включите питание датчика, затем нажмите OK</source>
        <translation>Una actualización del firmware a través de este convertidor no se completó, el sensor puede seguir en su cargador de arranque
Apague y encienda la alimentación del sensor y luego pulse OK</translation>
    </message>
    <message>
        <source>Загрузчик датчика не в начале загрузки прошивки
Выключите и включите питание датчика, затем начните обновление снова</source>
        <translation>El cargador de arranque del sensor no está al inicio de una carga de firmware
Apague y encienda la alimentación del sensor y luego inicie la actualización de nuevo</translation>
    </message>
    <message>
        <source>Датчик не сообщил свою модель
Обновление прошивки невозможно</source>
        <translation>El sensor no ha informado su modelo
No se puede actualizar el firmware</translation>
    </message>
</context>
<context>
    <name>KV380Device</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Гц</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Подключен КВ-380</source>
        <translation>KV-380 conectado</translation>
    </message>
    <message>
        <source>Дельта</source>
        <translation>Delta</translation>
    </message>
    <message>
        <source>Верх</source>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>Esta función está en desarrollo</translation>
    </message>
</context>
<context>
    <name>KVBLEDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>Función en desarrollo</translation>
    </message>
    <message>
        <source>Подключенное устройство не соответствует выбранному</source>
        <translation>El dispositivo conectado no coincide con el elegido</translation>
    </message>
    <message>
        <source>Подключите другое</source>
        <translation>Conecte otro dispositivo</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation>Sin enlace con el sensor inalámbrico</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation>Enlazado con el sensor inalámbrico</translation>
    </message>
    <message>
        <source>Подключен KV-BLE</source>
        <translation>KV-BLE conectado</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Contraseña aceptada</translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation>Se estableció la nueva contraseña del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation>Se eliminó la contraseña del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Введён не верный пароль датчика</source>
        <translation>Contraseña del sensor incorrecta</translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation>El sensor inalámbrico se reinició</translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation>Si al terminar el temporizador
no ve el sensor en NRFConnect,
la actualización falló
Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation>Esperando la respuesta del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Значение вне допустимого диапазона</source>
        <translation>Valor fuera del rango permitido</translation>
    </message>
    <message>
        <source>Идёт запись параметров</source>
        <translation>Escribiendo parámetros</translation>
    </message>
    <message>
        <source>После завершения операции это окно автоматически закроется</source>
        <translation>Esta ventana se cerrará sola al terminar la operación</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Введите номер</source>
        <translation>Introduzca el número</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Error de conexión</translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation>Introduzca el número del sensor</translation>
    </message>
    <message>
        <source>Номер датчика: число от 0 до %1</source>
        <translation>Número del sensor: un número de 0 a %1</translation>
    </message>
    <message>
        <source>Выполняется подключение...</source>
        <translation>Conectando...</translation>
    </message>
    <message>
        <source>Устанорвлен горизонт</source>
        <translation>Horizonte establecido</translation>
    </message>
    <message>
        <source>Установлена задержка</source>
        <translation>Retardo establecido</translation>
    </message>
    <message>
        <source>Ошибка установки задержки</source>
        <translation>Error al establecer el retardo</translation>
    </message>
    <message>
        <source>бездействие</source>
        <translation>inactivo</translation>
    </message>
    <message>
        <source>вращение
против часовой</source>
        <translation>rotación
antihoraria</translation>
    </message>
    <message>
        <source>вращение
по часовой</source>
        <translation>rotación
horaria</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>был превышен верхний
и не ниже нижнего</source>
        <translation>se superó el superior
y no bajo el inferior</translation>
    </message>
    <message>
        <source>не работает</source>
        <translation>no funciona</translation>
    </message>
    <message>
        <source>работает</source>
        <translation>funciona</translation>
    </message>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation>No se confirmó la eliminación de la contraseña del sensor inalámbrico</translation>
    </message>
</context>
<context>
    <name>LiterToPercent</name>
    <message>
        <source>Записать
в датчик</source>
        <translation>Escribir
en el sensor</translation>
    </message>
    <message>
        <source>Считать
из датчика</source>
        <translation>Leer
del sensor</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Выгрузить</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Проценты</source>
        <translation>Porcentaje</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Elija un archivo para convertir</translation>
    </message>
    <message>
        <source>Не удалось открыть файл</source>
        <translation>No se pudo abrir el archivo</translation>
    </message>
    <message>
        <source>Строка %1 файла не прочитана.
Таблица не изменена</source>
        <translation>No se pudo leer la línea %1 del archivo.
La tabla no ha cambiado</translation>
    </message>
    <message>
        <source>В файле больше 20 строк.
Таблица не изменена</source>
        <translation>El archivo tiene más de 20 filas.
La tabla no ha cambiado</translation>
    </message>
    <message>
        <source>Файл пуст.
Таблица не изменена</source>
        <translation>El archivo está vacío.
La tabla no ha cambiado</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation>No se pudo guardar el archivo</translation>
    </message>
</context>
<context>
    <name>MirvelNet</name>
    <message>
        <source>№ Ячейки</source>
        <translation>N.º de celda</translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation>ID del Tag</translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation>Lectora</translation>
    </message>
    <message>
        <source>Считыватель-индикатор</source>
        <translation>Lectora con indicador</translation>
    </message>
    <message>
        <source>Метка с питанием</source>
        <translation>Tag alimentado</translation>
    </message>
    <message>
        <source>Мост Slave</source>
        <translation>Puente Slave</translation>
    </message>
    <message>
        <source>Мост Master</source>
        <translation>Puente Master</translation>
    </message>
    <message>
        <source>Мост Slave Частотный выход</source>
        <translation>Puente Slave Salida de frecuencia</translation>
    </message>
    <message>
        <source>Мост Master Частотный выход</source>
        <translation>Puente Master Salida de frecuencia</translation>
    </message>
    <message>
        <source>Режим идентификации</source>
        <translation>Modo de identificación</translation>
    </message>
    <message>
        <source>Режим вертикального вращения</source>
        <translation>Modo de rotación vertical</translation>
    </message>
    <message>
        <source>Режим горизонтального вращения</source>
        <translation>Modo de rotación horizontal</translation>
    </message>
    <message>
        <source>Режим датчика угла</source>
        <translation>Modo de sensor de ángulo</translation>
    </message>
    <message>
        <source>Режим контроля переворота</source>
        <translation>Modo de control de vuelco</translation>
    </message>
    <message>
        <source>Минимум. 18 метров.</source>
        <translation>Mínimo. 18 metros.</translation>
    </message>
    <message>
        <source>Максимум. 50 метров.</source>
        <translation>Máximo. 50 metros.</translation>
    </message>
</context>
<context>
    <name>MyItemDelegateForCell</name>
    <message>
        <source>Введите число до 999999999, дробную часть одной цифрой после точки</source>
        <translation>Introduzca un número hasta 999999999, con un decimal tras un punto</translation>
    </message>
</context>
<context>
    <name>N7Device</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Ед. Датчика</source>
        <translation>Unidades del sensor</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>N7</source>
        <translation>N7</translation>
    </message>
    <message>
        <source>Активный</source>
        <translation>Activo</translation>
    </message>
    <message>
        <source>Пассивный</source>
        <translation>Pasivo</translation>
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
        <translation>N7 conectado</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Guardar archivo</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Elija un archivo para la conversión</translation>
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
        <translation>RS-485 pasivo</translation>
    </message>
    <message>
        <source>Частотный режим</source>
        <translation>Modo de frecuencia</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>Función en desarrollo</translation>
    </message>
    <message>
        <source>Подключен ПЛМ-300</source>
        <translation>PLM-300 conectado</translation>
    </message>
</context>
<context>
    <name>PasswordQuestion</name>
    <message>
        <source>Удаление пароля ВТ датчика не подтверждено</source>
        <translation>No se confirmó la eliminación de la contraseña del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Беспроводной датчик не ответил</source>
        <translation>El sensor inalámbrico no respondió</translation>
    </message>
    <message>
        <source>Установка пароля ВТ датчика не подтверждена</source>
        <translation>No se confirmó el establecimiento de la contraseña del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Ввод пароля ВТ датчика не подтверждён</source>
        <translation>No se confirmó la introducción de la contraseña del sensor inalámbrico</translation>
    </message>
</context>
<context>
    <name>QFOnline</name>
    <message>
        <source>инициализация
модема</source>
        <translation>inicialización
del módem</translation>
    </message>
    <message>
        <source>чтение SIM
карты</source>
        <translation>lectura de la
tarjeta SIM</translation>
    </message>
    <message>
        <source>регистрация
в сети</source>
        <translation>registro
en la red</translation>
    </message>
    <message>
        <source>подключение
к GPRS</source>
        <translation>conexión
a GPRS</translation>
    </message>
    <message>
        <source>подключение
к серверу</source>
        <translation>conexión
al servidor</translation>
    </message>
    <message>
        <source>регистрация
на сервере</source>
        <translation>registro
en el servidor</translation>
    </message>
    <message>
        <source>подключен
к серверу</source>
        <translation>conectado
al servidor</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>No estable</translation>
    </message>
    <message>
        <source>Функция в разработке</source>
        <translation>Función en desarrollo</translation>
    </message>
    <message>
        <source>Настройки прочитаны</source>
        <translation>Configuración leída</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>No calibrado</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Сначала прочитайте настройки устройства</source>
        <translation>Primero lea la configuración del dispositivo</translation>
    </message>
    <message>
        <source>Устройство ещё не ответило</source>
        <translation>El dispositivo aún no ha respondido</translation>
    </message>
    <message>
        <source>другой</source>
        <translation>otro</translation>
    </message>
    <message>
        <source>Недопустимое значение: %1
Введите число от %2 до %3</source>
        <translation>Valor no válido: %1
Introduzca un número de %2 a %3</translation>
    </message>
    <message>
        <source>Устройство отклонило команду</source>
        <translation>El dispositivo rechazó el comando</translation>
    </message>
    <message>
        <source>Устройство не ответило</source>
        <translation>El dispositivo no respondió</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation>Espere a que termine la operación en curso</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Contraseña aceptada</translation>
    </message>
    <message>
        <source>Новый пароль успешно установлен</source>
        <translation>Se estableció la nueva contraseña</translation>
    </message>
    <message>
        <source>Установка пароля не подтверждена</source>
        <translation>No se confirmó el establecimiento de la contraseña</translation>
    </message>
    <message>
        <source>Пароль не удалён</source>
        <translation>No se eliminó la contraseña</translation>
    </message>
    <message>
        <source>Ошибка удаления пароля</source>
        <translation>No se pudo eliminar la contraseña</translation>
    </message>
    <message>
        <source>Пароль успешно удалён</source>
        <translation>Se eliminó la contraseña</translation>
    </message>
    <message>
        <source>Удаление пароля не подтверждено</source>
        <translation>No se confirmó la eliminación de la contraseña</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Один экземпляр приложения уже запущен</source>
        <translation>La aplicación ya está en ejecución</translation>
    </message>
</context>
<context>
    <name>RemoteCommand</name>
    <message>
        <source>Аналоговый</source>
        <translation>Analógico</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>De frecuencia</translation>
    </message>
    <message>
        <source>Импульсный</source>
        <translation>De impulsos</translation>
    </message>
    <message>
        <source>Активный RS-485</source>
        <translation>RS-485 activo</translation>
    </message>
    <message>
        <source>Медианный</source>
        <translation>Mediana</translation>
    </message>
    <message>
        <source>Интеллектуальный</source>
        <translation>Inteligente</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>до 200 литров</source>
        <translation>hasta 200 litros</translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation>de 200 a 1000 litros</translation>
    </message>
    <message>
        <source>больше 1000 литров</source>
        <translation>más de 1000 litros</translation>
    </message>
    <message>
        <source>тяжёлые условия</source>
        <translation>condiciones duras</translation>
    </message>
    <message>
        <source>Некорректный режим</source>
        <translation>Modo incorrecto</translation>
    </message>
    <message>
        <source>Некорректный диапазон</source>
        <translation>Rango incorrecto</translation>
    </message>
    <message>
        <source>Некорректный тип</source>
        <translation>Tipo incorrecto</translation>
    </message>
    <message>
        <source>Некорректный уровень</source>
        <translation>Nivel incorrecto</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Текущий</source>
        <translation>Actual</translation>
    </message>
    <message>
        <source>Значение пустого</source>
        <translation>Valor de vacío</translation>
    </message>
    <message>
        <source>Значение полного</source>
        <translation>Valor de lleno</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Rango</translation>
    </message>
    <message>
        <source>Тип сглаживания</source>
        <translation>Tipo de suavizado</translation>
    </message>
    <message>
        <source>Уровень сглаживания</source>
        <translation>Nivel de suavizado</translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation>Dirección de red</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Número de serie</translation>
    </message>
    <message>
        <source>Версия микропрограммы</source>
        <translation>Versión del firmware</translation>
    </message>
    <message>
        <source>В ответе содержится:</source>
        <translation>La respuesta contiene:</translation>
    </message>
    <message>
        <source>Ответ</source>
        <translation>Respuesta</translation>
    </message>
    <message>
        <source>Ввести пароль</source>
        <translation>Introducir contraseña</translation>
    </message>
    <message>
        <source>Запрос состояния</source>
        <translation>Solicitud de estado</translation>
    </message>
    <message>
        <source>Запросить версию прошивки и серийный номер</source>
        <translation>Solicitar versión del firmware y número de serie</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Desplazar el nivel de vacío</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Desplazar el nivel de lleno</translation>
    </message>
    <message>
        <source>Установить уровень пустого</source>
        <translation>Establecer el nivel de vacío</translation>
    </message>
    <message>
        <source>Установить уровень полного</source>
        <translation>Establecer el nivel de lleno</translation>
    </message>
    <message>
        <source>Установить режим</source>
        <translation>Establecer modo</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Establecer contraseña</translation>
    </message>
    <message>
        <source>RS-485 + 1023</source>
        <translation>RS-485 + 1023</translation>
    </message>
    <message>
        <source>Активный RS-485 + 1023</source>
        <translation>RS-485 activo + 1023</translation>
    </message>
    <message>
        <source>RS-485 + 4095</source>
        <translation>RS-485 + 4095</translation>
    </message>
    <message>
        <source>Активный RS-485 + 4095</source>
        <translation>RS-485 activo + 4095</translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation>más de 1000 litros</translation>
    </message>
    <message>
        <source>Введите числовой пароль (макс. 9 цифр)</source>
        <translation>Introduzca contraseña (máximo 9 números)</translation>
    </message>
    <message>
        <source>Введите смещение в у.е.</source>
        <translation>Introduzca el desplazamiento en unidades</translation>
    </message>
    <message>
        <source>Введите значение пустого</source>
        <translation>Introduzca el valor de vacío</translation>
    </message>
    <message>
        <source>Введите значение полного</source>
        <translation>Introduzca el valor de lleno</translation>
    </message>
</context>
<context>
    <name>Reriruvozive</name>
    <message>
        <source>Изменить сет. адрес</source>
        <translation>Cambiar dirección
de red</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Rango</translation>
    </message>
    <message>
        <source>Степень фильтрации</source>
        <translation>Nivel de filtración</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Калибровка
датчика</source>
        <translation>Calibrar
Sensor</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Частота</source>
        <translation>Frecuencia</translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation>Tensión</translation>
    </message>
    <message>
        <source>Записать параметры в устройство</source>
        <translation>Guardar ajustes en dispositivo</translation>
    </message>
    <message>
        <source>Требуется калибровка</source>
        <translation>Se requiere calibración</translation>
    </message>
    <message>
        <source>Опросить сет. адрес</source>
        <translation>Interrogar dirección
de red</translation>
    </message>
    <message>
        <source>Устройства в сети</source>
        <translation>Dispositivos en red</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>No estable</translation>
    </message>
    <message>
        <source>ДУТ</source>
        <translation>SNC</translation>
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
        <translation> Calibración</translation>
    </message>
    <message>
        <source>Сервис</source>
        <translation>Servicio</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Uвых =</source>
        <translation>Usalida</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Тип фильтрации</source>
        <translation>Tipo de filtración</translation>
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
        <translation>Corriente=</translation>
    </message>
    <message>
        <source>Фильтрация</source>
        <translation>Filtración</translation>
    </message>
    <message>
        <source>Адаптер</source>
        <translation>Adaptador</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>скопировано</source>
        <translation>copiado</translation>
    </message>
    <message>
        <source>Введите S/N датчика для подключения</source>
        <translation>Introduzca el número de serie del sensor</translation>
    </message>
    <message>
        <source>Установка нуля</source>
        <translation>Establecer 0</translation>
    </message>
    <message>
        <source>Угол, град</source>
        <translation>Ángulo °</translation>
    </message>
    <message>
        <source>Событие
сработки</source>
        <translation>Aviso de evento</translation>
    </message>
    <message>
        <source>бездействие</source>
        <translation>Inactivo</translation>
    </message>
    <message>
        <source>Вращение горизонтальное</source>
        <translation>Rotación horizontal</translation>
    </message>
    <message>
        <source>Вращение вертикальное</source>
        <translation>Rotación vertical</translation>
    </message>
    <message>
        <source>Отвал</source>
        <translation>Hoja</translation>
    </message>
    <message>
        <source>Низ</source>
        <translation>Ángulo inferior</translation>
    </message>
    <message>
        <source>Контроль угла</source>
        <translation>Control de ángulo</translation>
    </message>
    <message>
        <source>Транспортировочный</source>
        <translation>Transportación</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Зад.выкл</source>
        <translation>Temporizador Desactivar en</translation>
    </message>
    <message>
        <source>Ковш</source>
        <translation>Cuchara</translation>
    </message>
    <message>
        <source>Верх</source>
        <translation>Ángulo superior</translation>
    </message>
    <message>
        <source>Зад.вкл</source>
        <translation>Temporizador Activar en</translation>
    </message>
    <message>
        <source>MAC адрес</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>Настройка QF BLE</source>
        <translation>Configuración de VO-DIZ</translation>
    </message>
    <message>
        <source>Настройка BLE приёмника</source>
        <translation>Configuración de BLE ADAPTADOR</translation>
    </message>
    <message>
        <source>Настройка KV BLE</source>
        <translation>Configuración KV-BLE</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Tab 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Tab 2</translation>
    </message>
    <message>
        <source>Страница</source>
        <translation>Página</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Удалить порцию</source>
        <translation>Eliminar porción</translation>
    </message>
    <message>
        <source>Добавить порцию</source>
        <translation>Agregar porción</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Empezar</translation>
    </message>
    <message>
        <source>Возобновить</source>
        <translation>Retomar</translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation>Terminar</translation>
    </message>
    <message>
        <source>л</source>
        <translation>l</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Galones</translation>
    </message>
    <message>
        <source>Шаг,</source>
        <translation>Paso,</translation>
    </message>
    <message>
        <source>ТАРИРОВКА</source>
        <translation>CALIBRACION FINA</translation>
    </message>
    <message>
        <source>Опросить сетевой
адрес</source>
        <translation>Interrogar dirección de red</translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation>Dirección de red</translation>
    </message>
    <message>
        <source>Задержка вкл.</source>
        <translation>Temporizador Activar en.</translation>
    </message>
    <message>
        <source>Задержка выкл.</source>
        <translation>Temporizador Desactivar en.</translation>
    </message>
    <message>
        <source>Мусоровоз</source>
        <translation>Сamión de basura</translation>
    </message>
    <message>
        <source>Самосвал</source>
        <translation>Autovolquete</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>De frecuencia</translation>
    </message>
    <message>
        <source>Мастер</source>
        <translation>Máster</translation>
    </message>
    <message>
        <source>Угол,град.</source>
        <translation>Ángulo,grados.</translation>
    </message>
    <message>
        <source>Загрузить таблицу из файла</source>
        <translation>Importar tabla de archivo</translation>
    </message>
    <message>
        <source>Задать адрес датчика</source>
        <translation>Establecer dirección de sensor</translation>
    </message>
    <message>
        <source>Опрашивать датчик</source>
        <translation>Solicitar sensor</translation>
    </message>
    <message>
        <source>Задать/Ввести пароль</source>
        <translation>Establecer/Introducir contraseña</translation>
    </message>
    <message>
        <source>Номер датчика (1-4)</source>
        <translation>Número de sensor (1-4)</translation>
    </message>
    <message>
        <source>Сохранить таблицу в файл</source>
        <translation>Guardar tabla en archivo</translation>
    </message>
    <message>
        <source>Тарировочная таблица</source>
        <translation>Tabla de calibración fina</translation>
    </message>
    <message>
        <source>Опрашивается:</source>
        <translation>Solicitando:</translation>
    </message>
    <message>
        <source>Сет. адрес датчика</source>
        <translation>Sensor dirección</translation>
    </message>
    <message>
        <source>Установки датчика:</source>
        <translation>Ajustes de sensor</translation>
    </message>
    <message>
        <source>Расстояние</source>
        <translation>Alcance</translation>
    </message>
    <message>
        <source>Максимум</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>Минимум</source>
        <translation>Minimo</translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation>Filtración</translation>
    </message>
    <message>
        <source>Порог</source>
        <translation>Umbral</translation>
    </message>
    <message>
        <source>IMEI:</source>
        <translation>IMEI:</translation>
    </message>
    <message>
        <source>--</source>
        <translation>--</translation>
    </message>
    <message>
        <source>Статус подключения</source>
        <translation>Estado de conexión</translation>
    </message>
    <message>
        <source>Трафик</source>
        <translation>Tráfico</translation>
    </message>
    <message>
        <source>Качество сигнала</source>
        <translation>Сalidad de señal</translation>
    </message>
    <message>
        <source>GPS/Глонасс</source>
        <translation>GPS/GLONASS</translation>
    </message>
    <message>
        <source>Uвх</source>
        <translation>Vent</translation>
    </message>
    <message>
        <source>Выбор оператора</source>
        <translation>Selección de operador</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Dirección IP</translation>
    </message>
    <message>
        <source>Пин код SIM</source>
        <translation>código PIN</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Точка доступа</source>
        <translation>Punto de acceso (APN)</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Период отправки</source>
        <translation>Periodo de envío</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Establecer</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Puerto</translation>
    </message>
    <message>
        <source>Протокол ЕГТС</source>
        <translation>protocolo EGTS</translation>
    </message>
    <message>
        <source>Пароль доступа</source>
        <translation>Contraseña de acceso</translation>
    </message>
    <message>
        <source>Настройки GSM</source>
        <translation>Configuración GSM</translation>
    </message>
    <message>
        <source>Настройки сервера</source>
        <translation>Configuraciones del servidor</translation>
    </message>
    <message>
        <source>Читать</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>UDP</source>
        <translation>UDP</translation>
    </message>
    <message>
        <source>Горизонт</source>
        <translation>Horizonte</translation>
    </message>
    <message>
        <source>Настройки RS485</source>
        <translation>Configuraciones de RS485</translation>
    </message>
    <message>
        <source>Данные</source>
        <translation>Datos</translation>
    </message>
    <message>
        <source>2 канал</source>
        <translation>canal 2</translation>
    </message>
    <message>
        <source>4 канал</source>
        <translation>canal 4</translation>
    </message>
    <message>
        <source>3 канал</source>
        <translation>canal 3</translation>
    </message>
    <message>
        <source>Двигатель
ЗАВЕДЁН</source>
        <translation>Motor ACTIVADO</translation>
    </message>
    <message>
        <source>Двигатель
ЗАГЛУШЕН</source>
        <translation>Motor DESACTIVADO</translation>
    </message>
    <message>
        <source>1 канал</source>
        <translation>canal 1</translation>
    </message>
    <message>
        <source>Настройки датчика</source>
        <translation>Configuraciones del sensor</translation>
    </message>
    <message>
        <source>Задать
пустой</source>
        <translation>Establecer VACÍO</translation>
    </message>
    <message>
        <source>Задать
полный</source>
        <translation>Establecer LLENO</translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation>Lectora</translation>
    </message>
    <message>
        <source>Режим считывателя</source>
        <translation>Modo &quot;Lectora&quot;</translation>
    </message>
    <message>
        <source>Доп. параметры</source>
        <translation>Parámetros extra</translation>
    </message>
    <message>
        <source>Задержка обнуления</source>
        <translation>Olvidar ID en</translation>
    </message>
    <message>
        <source>Привязать метку</source>
        <translation>Vincular tag</translation>
    </message>
    <message>
        <source>№ ячейки</source>
        <translation>№ celda</translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation>ID del Tag</translation>
    </message>
    <message>
        <source>Показать привязанные ID</source>
        <translation>Mostrar ID vinculados</translation>
    </message>
    <message>
        <source>Отвязать все метки</source>
        <translation>Olvidar todos tags</translation>
    </message>
    <message>
        <source>Частотный выход</source>
        <translation>Entrada de frecuencia</translation>
    </message>
    <message>
        <source>Текущий сетевой адрес</source>
        <translation>Dirreción de red actual</translation>
    </message>
    <message>
        <source>Задать сетевой адрес</source>
        <translation>Establecer dirección</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Número de serie</translation>
    </message>
    <message>
        <source>Версия П.О.</source>
        <translation>Versión FW</translation>
    </message>
    <message>
        <source>Метка</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Параметры метки</source>
        <translation>Tag ajustes</translation>
    </message>
    <message>
        <source>Задать ID метки</source>
        <translation>Establecer Tag ID</translation>
    </message>
    <message>
        <source>Период</source>
        <translation>Período</translation>
    </message>
    <message>
        <source>Текущий ID</source>
        <translation>ID actual</translation>
    </message>
    <message>
        <source>Задержка</source>
        <translation>Temporizador</translation>
    </message>
    <message>
        <source>Мощность сигнала</source>
        <translation>Potencia de señal</translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation>Nivel de señal</translation>
    </message>
    <message>
        <source>Серийный номер метки</source>
        <translation>Número de serie de tag</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Считать</source>
        <translation>Calcular</translation>
    </message>
    <message>
        <source>Мост</source>
        <translation>Puente</translation>
    </message>
    <message>
        <source>Данные со SLAVE</source>
        <translation>Datos de ESCLAVO</translation>
    </message>
    <message>
        <source>Частотный сигнал:</source>
        <translation>Señal de frecuencia</translation>
    </message>
    <message>
        <source>Серийный номер SLAVE:</source>
        <translation>ESCLAVO número de serie</translation>
    </message>
    <message>
        <source>Уровень сигнала SLAVE</source>
        <translation>ESCLAVO nivel de señal</translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation>Eliminar sensor</translation>
    </message>
    <message>
        <source>Десятичный формат</source>
        <translation>Formato decimal</translation>
    </message>
    <message>
        <source>Установка режима</source>
        <translation>Establecimiento del modo</translation>
    </message>
    <message>
        <source>Установить сер номер</source>
        <translation>Establecer dirección de red</translation>
    </message>
    <message>
        <source>Сменить сет.номер</source>
        <translation>Cambiar dirección de red</translation>
    </message>
    <message>
        <source>R-KEY</source>
        <translation>R-KEY</translation>
    </message>
    <message>
        <source>ДИСТАНЦИОННОЕ УПРАВЛЕНИЕ</source>
        <translation>CONTROL REMOTO</translation>
    </message>
    <message>
        <source>Сгенерировать</source>
        <translation>Generar</translation>
    </message>
    <message>
        <source>Введите числовой пароль (макс. 9 цифр)</source>
        <translation>Introduzca contraseña (máximo 9 números)</translation>
    </message>
    <message>
        <source>Выберите уровень фильтрации</source>
        <translation>Seleccione nivel de filtración</translation>
    </message>
    <message>
        <source>Скопируйте строку и вставьте её в файл для отправки</source>
        <translation>Copie el renglón e introdúzcalo al archivo para enviar</translation>
    </message>
    <message>
        <source>Расшифровать ответ</source>
        <translation>Descifrar la respuesta</translation>
    </message>
    <message>
        <source>Удаленнный сетевой номер</source>
        <translation>Número de red remoto</translation>
    </message>
    <message>
        <source>Выберете режим + диапазон</source>
        <translation>Elija modo + rango</translation>
    </message>
    <message>
        <source>ИНЖЕНЕРНЫЕ НАСТРОЙКИ</source>
        <translation>AJUSTES AVANZADOS DE INGENIERIA</translation>
    </message>
    <message>
        <source>Калибровать 
 горизонтальное
положение</source>
        <translation>Calibrar
posiсión
horizontal</translation>
    </message>
    <message>
        <source>Ручной ввод Полный/Пустой</source>
        <translation>Introducción manual LLENO/VACÍO</translation>
    </message>
    <message>
        <source>Пересчитать в литры / %</source>
        <translation>Convertir a litros / %</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы</source>
        <translation>Umbral de encendido de LED</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>  Установить  </source>
        <translation>  Establecer  </translation>
    </message>
    <message>
        <source>Режим Master</source>
        <translation>Modo Máster</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона</source>
        <translation>Transmisión de ángulo de inclinación</translation>
    </message>
    <message>
        <source>Инверсия индикатора</source>
        <translation>Inversión del indicador</translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию</source>
        <translation>Desactivar compensación térmica</translation>
    </message>
    <message>
        <source>Экодрайвинг</source>
        <translation>Eco-driving</translation>
    </message>
    <message>
        <source>Передавать cерийный номер</source>
        <translation>Transmitir el número de serie</translation>
    </message>
    <message>
        <source>Датчики Slave</source>
        <translation>Sensores &quot;Esclavo</translation>
    </message>
    <message>
        <source>НАСТРОЙКИ ПРОГРАММЫ</source>
        <translation>AJUSTES DE PROGRAMA</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Внешний вид</source>
        <translation>Diseño</translation>
    </message>
    <message>
        <source>ПРОШИВКА BLE</source>
        <translation>FIRMWARE DE BLE</translation>
    </message>
    <message>
        <source>Вход в режим 
прошивки для адаптера</source>
        <translation>Actualizar el FW del
adaptador BLE-RS485</translation>
    </message>
    <message>
        <source>Вход в режим 
прошивки для BLE</source>
        <translation>Actualizar el FW
del sensor BLE</translation>
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
        <translation>TextLabel</translation>
    </message>
    <message>
        <source>русский</source>
        <translation>ruso</translation>
    </message>
    <message>
        <source>английский</source>
        <translation>inglés</translation>
    </message>
    <message>
        <source>испанский</source>
        <translation>español</translation>
    </message>
    <message>
        <source>светлый</source>
        <translation>claro</translation>
    </message>
    <message>
        <source>тёмный</source>
        <translation>oscuro</translation>
    </message>
    <message>
        <source>Режим Считыватель</source>
        <translation>Modo Lectora</translation>
    </message>
    <message>
        <source>Режим Метка</source>
        <translation>Modo Tag</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation>Esperando respuesta del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Не удалось подключиться к датчику
Повторите попытку</source>
        <translation>No se pudo conectar al sensor
Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Мирвел Конфигуратор %1</source>
        <translation>Configurador Mirvel %1</translation>
    </message>
    <message>
        <source>Подключите
преобразователь</source>
        <translation>Conecte el
convertidor</translation>
    </message>
    <message>
        <source>Проверьте подключение преобразователя!</source>
        <translation>¡Compruebe la conexión del convertidor!</translation>
    </message>
    <message>
        <source>Выставьте степень фильтрации в зависимости от условий дальнейшей эксплуатации Для медианной фильтрации:
0-1 - стационарные емкости
2-6 - транспорт, передвигающийся по хорошим дорогам
7-12 - транспорт, передвигающийся по плохим дорогам, тракторы, сельхозтехника
13-15 - для очень сильных вибраций и качек, карьерная и горно-шахтная спецтехника
Для умной фильтрации выберите степень фильтрации в соответствии с объемом топливного бака</source>
        <translation>Ajuste el nivel de filtración según las condiciones de uso. Para la filtración por mediana:
0-1 - tanques estacionarios
2-6 - vehículos que circulan por buenas carreteras
7-12 - vehículos que circulan por malas carreteras, tractores, maquinaria agrícola
13-15 - vibraciones y balanceos muy fuertes, maquinaria de canteras y minería
Para la filtración inteligente elija el nivel de filtración según el volumen del tanque de combustible</translation>
    </message>
    <message>
        <source>Режим – секция выбора режима работы датчика. После изменения режима не забудьте сохранить                        изменения.</source>
        <translation>Modo – sección para elegir el modo de funcionamiento del sensor. No olvide guardar los cambios después de cambiar el modo.</translation>
    </message>
    <message>
        <source>Фильтрация - функция усреднения значений за определённый промежуток времени для исключения влияния                         на показания механических воздействий на ёмкость с топливо или само топливо (например, вибрация,                                                                                                      непродолжительное движение транспортного средства по наклонной поверхности).</source>
        <translation>Filtración – promedia las lecturas durante un intervalo de tiempo para excluir la influencia de acciones mecánicas sobre el tanque o el propio combustible (por ejemplo, vibraciones o la marcha breve del vehículo por una pendiente).</translation>
    </message>
    <message>
        <source>Сетевой адрес – сетевой адрес подключенного датчика. По умолчанию сетевой адрес датчика 1 При                         необходимости изменения введите необходимый сетевой номер и сохраните изменения.</source>
        <translation>Dirección de red – la dirección de red del sensor conectado. Por defecto la dirección de red del sensor es 1. Para cambiarla, introduzca el nuevo número de red y guarde los cambios.</translation>
    </message>
    <message>
        <source>Мин. уровень – минимальное обработанное значение, которое формирует датчик в диапазоне от 0 до 1023.                         Для изменения введите необходимое число и сохраните изменения.</source>
        <translation>Nivel mín. – el valor procesado mínimo que genera el sensor, en el rango de 0 a 1023. Para cambiarlo, introduzca el número necesario y guarde los cambios.</translation>
    </message>
    <message>
        <source>СOМ* – виртуальный СОМ–порт для связи конфигуратора с ДУТ через преобразователь интерфейса. После                         подключения преобразователя интерфейса COM-порт определится автоматически, при условии, что                         корректно установлен драйвер устройства и в ПК не имеется больше виртуальных COM-портов. В противном                         случае нужный COM-порт необходимо выбрать из списка.</source>
        <translation>COM* – el puerto COM virtual por el que el configurador se comunica con el sensor de nivel de combustible a través del convertidor de interfaz. Al conectar el convertidor de interfaz el puerto COM se detecta automáticamente, siempre que el controlador del dispositivo esté instalado correctamente y el PC no tenga otros puertos COM virtuales. En caso contrario elija el puerto COM adecuado de la lista.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Обновить прошивку&lt;/b&gt; – позволяет обновить/сменить программное обеспечение датчика. Для запуска процесса                         прошивки отключите датчик от преобразователя интерфейса (программатора), выберите файл прошивки,                        затем подключите датчик обратно. Дождитесь пока строка прогресса заполнится на 100%.&lt;br&gt;                         &lt;b&gt;Отменить несохранённые настройки&lt;/b&gt; – позволяет отменить внесенные изменения при настройке датчика.                         Применяется в случае, если были внесены изменения (без записи в устройство), но в процессе                        конфигурирования специалист забыл какие именно настройки были подготовлены к изменению.&lt;br&gt;                         &lt;b&gt;Загрузить заводские настройки&lt;/b&gt; – позволяет вернуть настройки датчика до заводских.&lt;br&gt;                         &lt;b&gt;Инженерное меню&lt;/b&gt; – меню настроек дополнительных возможностей датчиков.                        &lt;b&gt;Безопасность&lt;/b&gt; - функция позволяет установить пароль на изменение настроек датчика. После установки                        пароль вступит в силу (не даст изменить настройки) как только отключить датчик от программы для                        настройки. Для изменения настроек необходимо сначала ввести пароль. Чтоб удалить пароль введите его и                        нажмите соответствующую кнопку.</source>
        <translation>&lt;b&gt;Actualizar firmware&lt;/b&gt; – permite actualizar o cambiar el software del sensor. Para empezar, desconecte el sensor del convertidor de interfaz (programador), elija el archivo de firmware y vuelva a conectar el sensor. Espere hasta que la barra de progreso llegue al 100%.&lt;br&gt; &lt;b&gt;Descartar ajustes no guardados&lt;/b&gt; – deshace los cambios hechos al configurar el sensor. Se usa cuando se cambiaron ajustes (sin grabarlos en el dispositivo) y ya no se sabe cuáles se prepararon para cambiar.&lt;br&gt; &lt;b&gt;Cargar ajustes de fábrica&lt;/b&gt; – devuelve el sensor a los ajustes de fábrica.&lt;br&gt; &lt;b&gt;Menú de ingeniero&lt;/b&gt; – ajustes de las funciones adicionales de los sensores. &lt;b&gt;Seguridad&lt;/b&gt; - permite poner una contraseña que protege los ajustes del sensor. La contraseña entra en vigor (impide cambiar los ajustes) en cuanto el sensor se desconecta del programa. Para cambiar los ajustes introduzca primero la contraseña. Para quitar la contraseña, introdúzcala y pulse el botón correspondiente.</translation>
    </message>
    <message>
        <source>Переход в раздел «Тарировка», где осуществляется и сохраняется порционное                         градуирование топливной емкости.</source>
        <translation>Abre la sección &quot;Calibración&quot;, donde se calibra el tanque de combustible por porciones y se guarda el resultado.</translation>
    </message>
    <message>
        <source>Инверсия индикатора – меняет логику работы выхода датчика, подключаемого к штатному стрелочному                         указателю авто. Функция необходима, если стрелочный индикатор уровня топлива работает с обратной                         логикой, то есть при полном баке сопротивление нулевое, а при пустом максимальное. Примером                         использование данной функции является подключение к стрелочному указателю авто семейства ГАЗ.</source>
        <translation>Inversión del indicador – invierte la lógica de la salida del sensor conectada al indicador de aguja original del vehículo. Es necesaria si el indicador de combustible funciona con lógica inversa, es decir, con el tanque lleno la resistencia es nula y con el tanque vacío es máxima. Un ejemplo es la conexión al indicador de aguja de los vehículos GAZ.</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона – включает функцию передачи датчиком показание акселерометра. &lt;br&gt;Актуально                         для модели КФ-470. Передача значения угла отклонения осуществляется по протоколу LLS следующим                         сетевым адресом относительно адреса данных уровня топлива. Например, если данные по уровню топлива                         передаются по сетевому адресу 1, то значение угла будет по сетевому адресу 2</source>
        <translation>Transmisión de ángulo de inclinación – hace que el sensor transmita la lectura del acelerómetro. &lt;br&gt;Válido para el modelo QF-470. El ángulo se transmite por el protocolo LLS en la dirección de red siguiente a la de los datos de nivel de combustible. Por ejemplo, si el nivel de combustible se transmite en la dirección de red 1, el ángulo se transmitirá en la dirección de red 2</translation>
    </message>
    <message>
        <source>Режим Master – переключает датчик в режим опроса интерфейса RS-485. В этом режиме есть возможность по                         интерфейсу RS-485 подключить к датчику Master до 7 датчиков Slave, работающих по протоколу LLS (если в                                                                                                                         датчике не установить режим Master, то он автоматически будет являться Slave устройством). В свою                         очередь датчик Master передает эти и свои данные по интерфейсу Пассивный RS-232 в формате ASCII без запроса от                         внешних устройств. Актуально для модели КФ-470.</source>
        <translation>Modo Máster – pone el sensor a interrogar la interfaz RS-485. En este modo se pueden conectar al sensor Máster por RS-485 hasta 7 sensores Esclavo que trabajan con el protocolo LLS (si el sensor no se pone en modo Máster, automáticamente es un dispositivo Esclavo). A su vez el sensor Máster transmite esos datos y los suyos por la interfaz RS-232 pasiva en formato ASCII sin petición de dispositivos externos. Válido para el modelo QF-470.</translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию – позволяет отключить внутренний алгоритм коррекции уровня от изменения                         температуры. Использовать не рекомендуется.</source>
        <translation>Desactivar compensación térmica – desactiva la corrección interna del nivel según los cambios de temperatura. No se recomienda.</translation>
    </message>
    <message>
        <source>Экодрайвинг – включает режим передачи данных по качеству вождения. Данные передаются по протоколу                         LLS в диапазоне от 0 до 15 Передача значения осуществляется следующим сетевым адресом относительно                         адреса данных уровня топлива. Например, если данные по уровню топлива передаются по сетевому адресу 1,                         то оценка качества вождения будет по сетевому адресу 2 Актуально для модели КФ-470.</source>
        <translation>Eco-driving – activa la transmisión de datos sobre la calidad de conducción. Los datos se transmiten por el protocolo LLS en el rango de 0 a 15 en la dirección de red siguiente a la de los datos de nivel de combustible. Por ejemplo, si el nivel de combustible se transmite en la dirección de red 1, la calidad de conducción se transmitirá en la dirección de red 2. Válido para el modelo QF-470.</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы – устанавливает процентное соотношение минимального остатка топлива, при                         котором включится лампа аварийного остатка штатного индикатора уровня топлива.</source>
        <translation>Umbral de encendido de LED – fija el porcentaje de combustible restante con el que se enciende la lámpara de reserva del indicador de combustible original.</translation>
    </message>
    <message>
        <source>Выводит окно, где возможно осуществить ручную                         установку/редактирование конфигураций «Полный» и «Пустой».</source>
        <translation>Abre una ventana donde se pueden introducir o editar a mano los ajustes &quot;Lleno&quot; y &quot;Vacío&quot;.</translation>
    </message>
    <message>
        <source>Включает функцию пересчета по тарировочной таблице и                         получения данных в литрах или процентах. Так же выводит окно для ввода и сохранения тарировочной                         таблицы в память датчика. Актуально для моделей КФ-410 и КФ-470.</source>
        <translation>Activa la conversión según la tabla de calibración para obtener los datos en litros o en porcentaje. También abre una ventana para introducir la tabla de calibración y guardarla en la memoria del sensor. Válido para los modelos QF-410 y QF-470.</translation>
    </message>
    <message>
        <source>Дистанционное управление – меню, где есть возможность сформировать команду для запроса конфигурации                         и изменения некоторых параметров датчиков «Мирвел КФ», которые подключены к навигационному                         терминалу по интерфейсу RS-485. Сформированная команда отправляется посредством SMS, либо через                         сервер.</source>
        <translation>Control remoto – menú para generar comandos que consultan la configuración y cambian algunos parámetros de los sensores &quot;Mirvel QF&quot; conectados a un terminal de navegación por RS-485. El comando se envía por SMS o a través del servidor.</translation>
    </message>
    <message>
        <source>Объем заливаемой/сливаемой порции топлива при тарировании. При                         нажатии кнопки «Добавить строку» в таблицу автоматически записывается текущее значение датчика, а в                         столбец «Литры» записывается значение большее на шаг заправки.</source>
        <translation>Volumen de la porción de combustible que se carga o descarga durante la calibración. Al pulsar &quot;Agregar fila&quot; el valor actual del sensor se escribe automáticamente en la tabla, y en la columna &quot;Litros&quot; se escribe un valor mayor en un paso de carga.</translation>
    </message>
    <message>
        <source>Добавляет столбец с информацией о подключенном датчике для последующего                         заполнения данными по процессу тарирования.</source>
        <translation>Agrega una columna con el sensor conectado, que se llenará durante la calibración.</translation>
    </message>
    <message>
        <source>Удаляет последний столбец тарировочной таблицы, где находятся данные по тарируемому датчику</source>
        <translation>Elimina la última columna de la tabla de calibración, con los datos del sensor que se calibra</translation>
    </message>
    <message>
        <source>Добавляет строку в тарировочную таблицу и вносит текущее показание уровня.</source>
        <translation>Agrega una fila a la tabla de calibración con la lectura actual del nivel.</translation>
    </message>
    <message>
        <source>Удаляет последнюю строку в тарировочной таблице</source>
        <translation>Elimina la última fila de la tabla de calibración</translation>
    </message>
    <message>
        <source>Сохраняет тарировочную таблицу и завершает процесс тарирования.</source>
        <translation>Guarda la tabla de calibración y termina la calibración.</translation>
    </message>
    <message>
        <source>Позволяет выбрать датчик из списка, если подключено несколько датчиков                         одновременно, для последующей настройки. При подключении к преобразователю интерфейса нескольких                         датчиков (с разными сетевыми адресами) в этой строке есть возможность переключаться между датчика                         выбрав необходимый сетевой адрес из списка.</source>
        <translation>Permite elegir un sensor de la lista para configurarlo cuando hay varios sensores conectados a la vez. Con varios sensores (con distintas direcciones de red) en el convertidor de interfaz, aquí se cambia entre ellos eligiendo la dirección de red en la lista.</translation>
    </message>
    <message>
        <source>Сохраняет изменения настроек в датчике.</source>
        <translation>Guarda los ajustes modificados en el sensor.</translation>
    </message>
    <message>
        <source>Кнопка выбора интерфейса настройки датчиков уровня топлива.</source>
        <translation>Elige la interfaz de configuración de los sensores de nivel de combustible.</translation>
    </message>
    <message>
        <source>Отображает список сетевых адресов датчиков, подключенных к преобразователю интерфейса</source>
        <translation>Muestra las direcciones de red de los sensores conectados al convertidor de interfaz</translation>
    </message>
    <message>
        <source>Отображает текущий уровень топлива в выбранном диапазоне.</source>
        <translation>Muestra el nivel actual de combustible en el rango elegido.</translation>
    </message>
    <message>
        <source>Отображает частоту.</source>
        <translation>Muestra la frecuencia.</translation>
    </message>
    <message>
        <source>Отображает напряжение.</source>
        <translation>Muestra la tensión.</translation>
    </message>
    <message>
        <source>Температура датчика.</source>
        <translation>Temperatura del sensor.</translation>
    </message>
    <message>
        <source>Версия программного обеспечения (прошивки) датчика.</source>
        <translation>Versión del software (firmware) del sensor.</translation>
    </message>
    <message>
        <source>Серийный номер датчика.</source>
        <translation>Número de serie del sensor.</translation>
    </message>
    <message>
        <source>Показатель RSSI, то есть уровень приема сигнала (полная мощность принимаемого приёмником сигнала).                        При значении менее -80дБм возможна потеря связи.</source>
        <translation>RSSI, el nivel de la señal recibida (potencia total de la señal en el receptor). Con valores menores de -80 dBm se puede perder la conexión.</translation>
    </message>
    <message>
        <source>Уровень заряда батареи. При значении менее 3,2В возможно отключение или некорректная работа датчика.</source>
        <translation>Carga de la batería. Con valores menores de 3,2 V el sensor puede apagarse o funcionar de forma incorrecta.</translation>
    </message>
    <message>
        <source>Функция позволяет сменить привязанный к базе датчик.                        Для этого необходимо ввести серийный номер датчика, который хотите привязать.</source>
        <translation>Cambia el sensor vinculado a la base. Introduzca el número de serie del sensor que quiere vincular.</translation>
    </message>
    <message>
        <source>Кнопка запуска режима обновления программного обеспечения адаптера.                        Дальнейший алгоритм действий появится при нажатии на кнопку.</source>
        <translation>Inicia el modo de actualización del software del adaptador. Los pasos siguientes se muestran al pulsar el botón.</translation>
    </message>
    <message>
        <source>кнопка запуска режима обновления программного обеспечения датчика.Дальнейший алгоритм действий появится при нажатии на кнопку.</source>
        <translation>Inicia el modo de actualización del software del sensor. Los pasos siguientes se muestran al pulsar el botón.</translation>
    </message>
    <message>
        <source>Секция, где отображается версия программного обеспечения подключенного датчика.</source>
        <translation>Muestra la versión del software del sensor conectado.</translation>
    </message>
    <message>
        <source>Секция, где отображается версия программного обеспечения подключенного адаптера.</source>
        <translation>Muestra la versión del software del adaptador conectado.</translation>
    </message>
    <message>
        <source>Индикация наличия/отсутствия пароля датчика</source>
        <translation>Indica si el sensor tiene contraseña</translation>
    </message>
    <message>
        <source>Выбрать одно из подключенных устройство для его настройки</source>
        <translation>Elija uno de los dispositivos conectados para configurarlo</translation>
    </message>
    <message>
        <source>Выбрать один из доступных режимов работы датчика - выбирайте в зависимости от того, какой интерфейс будет использоваться на принимающем устройстве</source>
        <translation>Elija uno de los modos de funcionamiento del sensor según la interfaz que use el dispositivo receptor</translation>
    </message>
    <message>
        <source>Настройка выдачи уровня топлива в определенном диапазоне</source>
        <translation>Salida del nivel de combustible en un rango determinado</translation>
    </message>
    <message>
        <source>Один из двух доступных алгоритмов сглаживания
Если при эксплуатации заправка будет производиться как на АЗС (со скоростью не более 50 л/мин), так и канистрами/ведрами, то выберите медианный алгоритм фильтрации
Если заправка будет производиться только на АЗС (со скоростью не более 50 л/мин), то можно выбрать умный алгоритм фильтрации</source>
        <translation>Uno de los dos algoritmos de suavizado
Si el tanque se va a cargar tanto en gasolineras (a no más de 50 l/min) como con bidones o cubos, elija el algoritmo de filtración por mediana
Si el tanque se va a cargar solo en gasolineras (a no más de 50 l/min), se puede elegir el algoritmo de filtración inteligente</translation>
    </message>
    <message>
        <source>При необходимости Вы можете поменять сетевой адрес датчика в этом поле - просто введите новый адрес.Избегайте конфликта сетевых адресов с другими датчиками</source>
        <translation>Si es necesario, cambie aquí la dirección de red del sensor: basta con introducir la nueva dirección. Evite conflictos de direcciones con otros sensores</translation>
    </message>
    <message>
        <source>Только после нажатия этой кнопки новые настройки будут записаны в память устройства</source>
        <translation>Los nuevos ajustes se graban en la memoria del dispositivo solo después de pulsar este botón</translation>
    </message>
    <message>
        <source>Сетевые адреса всех доступных для подключения устройств</source>
        <translation>Direcciones de red de todos los dispositivos disponibles para conectar</translation>
    </message>
    <message>
        <source>Период отправки в секундах</source>
        <translation>Periodo de envío en segundos</translation>
    </message>
    <message>
        <source>GPS/ГЛОНАСС - количество спутников GPS и ГЛОНАСС, участвующих в определении координат.</source>
        <translation>GPS/GLONASS - número de satélites GPS y GLONASS que participan en la determinación de las coordenadas.</translation>
    </message>
    <message>
        <source>Качество сигнала - соотношение уровня приема сигнала от спутников к уровню помех. Чем выше коэффициент, тем лучше уровень приема сигнала. Хорошим уровнем приема сигнала считается коэффициент выше 30.</source>
        <translation>Calidad de señal - relación entre el nivel de la señal de los satélites y el nivel de ruido. Cuanto mayor es la relación, mejor es la recepción. Se considera buena una relación superior a 30.</translation>
    </message>
    <message>
        <source>Статус подключения - информация об этапах запуска датчика и подключения к серверу.</source>
        <translation>Estado de conexión - etapas del arranque del sensor y de su conexión al servidor.</translation>
    </message>
    <message>
        <source>Трафик - количество переданных сообщений на сервер с момента подачи питания</source>
        <translation>Tráfico - número de mensajes enviados al servidor desde el encendido</translation>
    </message>
    <message>
        <source>Uвх - напряжение питания датчика</source>
        <translation>Vent - tensión de alimentación del sensor</translation>
    </message>
    <message>
        <source>Выбор оператора - меню выбора оператора сотовой сети, чья SIM карта используется. Позволяет автоматически загрузить в настройки датчика стандартные настройки сотовой сети выбранного оператора. Для ручного настроек выберите &quot;Другой&quot;</source>
        <translation>Selección de operador - elija el operador de telefonía móvil cuya tarjeta SIM se usa. Carga en los ajustes del sensor los ajustes de red estándar de ese operador. Para configurarlo a mano elija &quot;Otro&quot;</translation>
    </message>
    <message>
        <source>Точка доступа - настройка GPRS мобильного оператора, через которую пользователь подключается к услуге передачи данных.</source>
        <translation>Punto de acceso (APN) - ajuste GPRS del operador móvil a través del cual se accede al servicio de datos.</translation>
    </message>
    <message>
        <source>Пользователь - логин для подключения услуги передачи данных</source>
        <translation>Usuario - nombre de usuario del servicio de datos</translation>
    </message>
    <message>
        <source>Пароль - пароль для подключения услуги переадчи данных</source>
        <translation>Contraseña - contraseña del servicio de datos</translation>
    </message>
    <message>
        <source>Пин код SIM - пин код SIM карты (если проверка пин кода отключена, то пропустите этот пункт)</source>
        <translation>Código PIN - el código PIN de la tarjeta SIM (si la comprobación del PIN está desactivada, omita este campo)</translation>
    </message>
    <message>
        <source>Адрес - IP адрес или доменное имя сервера, к которому подключается датчик для передачи данных</source>
        <translation>Dirección IP - dirección IP o nombre de dominio del servidor al que el sensor envía los datos</translation>
    </message>
    <message>
        <source>Порт - номер порта на сервере, на который передаются данные</source>
        <translation>Puerto - número de puerto del servidor al que se envían los datos</translation>
    </message>
    <message>
        <source>Пароль доступа - пароль, по которому осуществляется регистрация на сервере (при необходимости использования указывается в настройках датчика и в настройках на сервере)</source>
        <translation>Contraseña de acceso - contraseña para el registro en el servidor (si se usa, se indica en los ajustes del sensor y en los del servidor)</translation>
    </message>
    <message>
        <source>Протокол ЕГТС - переключение фомата передачи данных датчиком в формат протокола ЕГТС (по умолчанию используется протокол Wialon IPS)</source>
        <translation>Protocolo EGTS - cambia el formato de los datos del sensor al protocolo EGTS (por defecto se usa Wialon IPS)</translation>
    </message>
    <message>
        <source>Фильтрация - сглаживание измерений уровня топлива. Используется для фильтрации кратковременных скачков показаний уровня топлива при эксплуатации датчика на ТС (вибрация, колебания топлива в баке в движении ТС и т.п.)</source>
        <translation>Filtración - suavizado de las lecturas de nivel de combustible. Elimina saltos breves del nivel durante el uso del vehículo (vibraciones, oscilaciones del combustible en el tanque en marcha, etc.)</translation>
    </message>
    <message>
        <source>Включение или отключение протокола UDP</source>
        <translation>Activa o desactiva el protocolo UDP</translation>
    </message>
    <message>
        <source>Измерительные трубки оторвались от платы в результате внешнего механического воздействия. Необходима замена датчика. Также проверьте правильность калибровок - вероятно, калибровка пустого бака неверна</source>
        <translation>Los tubos de medición se han desprendido de la placa por un impacto mecánico externo. Es necesario cambiar el sensor. Compruebe también las calibraciones: probablemente la calibración de tanque vacío es incorrecta</translation>
    </message>
    <message>
        <source>В пространство между двумя измерительными трубками попала вода, грязь или металлическая стружка. Необходима продувка/промывка. Также проверьте правильность калибровок - вероятно, калибровка полного бака неверна</source>
        <translation>Entre los dos tubos de medición ha entrado agua, suciedad o virutas metálicas. Es necesario soplarlo o lavarlo. Compruebe también las calibraciones: probablemente la calibración de tanque lleno es incorrecta</translation>
    </message>
    <message>
        <source>Настройки программы</source>
        <translation>Ajustes del programa</translation>
    </message>
    <message>
        <source>Дистанционное управление</source>
        <translation>Control remoto</translation>
    </message>
    <message>
        <source>Отменить несохранённые настройки</source>
        <translation>Descartar ajustes no guardados</translation>
    </message>
    <message>
        <source>Загрузить заводские настройки</source>
        <translation>Cargar ajustes de fábrica</translation>
    </message>
    <message>
        <source>Инженерное меню</source>
        <translation>Menú de ingeniero</translation>
    </message>
    <message>
        <source>Безопасность</source>
        <translation>Seguridad</translation>
    </message>
    <message>
        <source>Обновить прошивку</source>
        <translation>Actualizar firmware</translation>
    </message>
    <message>
        <source>Вы хотите отменить изменения настроек?</source>
        <translation>¿Desea descartar los cambios de ajustes?</translation>
    </message>
    <message>
        <source>Будут загружены заводские установки</source>
        <translation>Se cargarán los ajustes de fábrica</translation>
    </message>
    <message>
        <source>Не удалось проверить обновления</source>
        <translation>No se pudo comprobar si hay actualizaciones</translation>
    </message>
    <message>
        <source>Вы используете актуальную версию ПО</source>
        <translation>Está usando la versión más reciente</translation>
    </message>
    <message>
        <source>Доступна новая версия конфигуратора. Перейдите на наш сайт для загрузки</source>
        <translation>Hay una nueva versión del configurador. Visite nuestro sitio web para descargarla</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>¡Atención!</translation>
    </message>
    <message>
        <source>Введён некорректный ответ!
Проверьте правильность ввода</source>
        <translation>¡La respuesta introducida es incorrecta!
Compruebe lo introducido</translation>
    </message>
    <message>
        <source>Значение вне допустимого диапазона</source>
        <translation>Valor fuera del rango permitido</translation>
    </message>
    <message>
        <source>Калибровка произведена</source>
        <translation>Calibración realizada</translation>
    </message>
    <message>
        <source>Настройки записаны</source>
        <translation>Configuración escrita</translation>
    </message>
    <message>
        <source>Тарировку рекомендуется делать
при отключенном сглаживании</source>
        <translation>Se recomienda calibrar el tanque
con el suavizado desactivado</translation>
    </message>
    <message>
        <source>Вы уверены?</source>
        <translation>¿Está seguro?</translation>
    </message>
    <message>
        <source>Внимание!Датчик неоткалиброван на пустой-полный
перейти к тарировке?</source>
        <translation>¡Atención! El sensor no está calibrado vacío/lleno
¿Pasar a la calibración del tanque?</translation>
    </message>
    <message>
        <source>Внимание! Найдена незаконченная тарировка. 
Хотите её продолжить?</source>
        <translation>¡Atención! Se encontró una calibración sin terminar. 
¿Desea continuarla?</translation>
    </message>
    <message>
        <source>Добавить датчик</source>
        <translation>Añadir sensor</translation>
    </message>
    <message>
        <source>Подключен только один датчик</source>
        <translation>Solo hay un sensor conectado</translation>
    </message>
    <message>
        <source>Возможно тарировка закончена. Или проверьте параметры тарировки
Шаг тарировки должен быть меньше остатка топлива</source>
        <translation>Es posible que la calibración haya terminado. O revise los parámetros
El paso debe ser menor que el combustible restante</translation>
    </message>
    <message>
        <source>г</source>
        <translation>gal</translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>La tabla no puede tener menos de 20 filas</translation>
    </message>
    <message>
        <source>В таблице могут быть только целые числа от 0 до 65535</source>
        <translation>La tabla solo puede contener números enteros de 0 a 65535</translation>
    </message>
    <message>
        <source>Таблица успешно записана</source>
        <translation>Tabla escrita correctamente</translation>
    </message>
    <message>
        <source>Датчик не подтвердил запись таблицы</source>
        <translation>El sensor no confirmó la escritura de la tabla</translation>
    </message>
    <message>
        <source>Вы хотите завершить тарировку?</source>
        <translation>¿Desea terminar la calibración del tanque?</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Временный файл не был найден.
Вы хотите открыть *.csv файл?</source>
        <translation>No se encontró el archivo temporal.
¿Desea abrir un archivo *.csv?</translation>
    </message>
    <message>
        <source>Выберете файл с расширением *.csv</source>
        <translation>Elija un archivo con la extensión *.csv</translation>
    </message>
    <message>
        <source>Не удалось открыть файл тарировки</source>
        <translation>No se pudo abrir el archivo de calibración</translation>
    </message>
    <message>
        <source>Файл тарировки не содержит данных</source>
        <translation>El archivo de calibración no contiene datos</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Esperando la respuesta del sensor</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Algunos parámetros no se escribieron
Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Сейчас датчик будет перезагружен
После успешной перезагрузки у вас есть примерно
30 секунд на запуск процесса обновления
прошивки в программе NRFConnect.</source>
        <translation>El sensor se reiniciará ahora
Una vez reiniciado tiene unos
30 segundos para iniciar la actualización
del firmware en NRFConnect.</translation>
    </message>
    <message>
        <source>Не удалось сохранить таблицу в файл</source>
        <translation>No se pudo guardar la tabla en el archivo</translation>
    </message>
    <message>
        <source>Недопустимое значение: %1
Введите число от %2 до %3</source>
        <translation>Valor no válido: %1
Introduzca un número de %2 a %3</translation>
    </message>
    <message>
        <source>Слейв 1</source>
        <translation>Esclavo 1</translation>
    </message>
    <message>
        <source>Слейв 2</source>
        <translation>Esclavo 2</translation>
    </message>
    <message>
        <source>Слейв 3</source>
        <translation>Esclavo 3</translation>
    </message>
    <message>
        <source>Слейв 4</source>
        <translation>Esclavo 4</translation>
    </message>
    <message>
        <source>Слейв 5</source>
        <translation>Esclavo 5</translation>
    </message>
    <message>
        <source>Слейв 6</source>
        <translation>Esclavo 6</translation>
    </message>
    <message>
        <source>Слейв 7</source>
        <translation>Esclavo 7</translation>
    </message>
    <message>
        <source>Установить
период</source>
        <translation>Establecer
periodo</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Vacío</translation>
    </message>
    <message>
        <source>Полный</source>
        <translation>Lleno</translation>
    </message>
    <message>
        <source>Откалибровать</source>
        <translation>Calibrar</translation>
    </message>
    <message>
        <source>Калибровка без топлива</source>
        <translation>Calibración sin combustible</translation>
    </message>
    <message>
        <source>Сейчас будет произведена автоматическая калибровка Пустой/Полный</source>
        <translation>Se va a realizar la calibración automática Vacío/Lleno</translation>
    </message>
    <message>
        <source>Значение &quot;Пустой&quot; не может быть больше &quot;Полный&quot;</source>
        <translation>El valor &quot;Vacío&quot; no puede ser mayor que &quot;Lleno&quot;</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Пустой&quot;</source>
        <translation>Establezca un valor &quot;Vacío&quot; correcto</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Полный&quot;</source>
        <translation>Establezca un valor &quot;Lleno&quot; correcto</translation>
    </message>
    <message>
        <source>Введите число от %1 до %2</source>
        <translation>Introduzca un número de %1 a %2</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень
аварийного остатка топлива.

Вы уверены?</source>
        <translation>Se va a establecer un nuevo nivel
de alarma de combustible bajo.

¿Está seguro?</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;Полный&quot;
Вы уверены?</source>
        <translation>Se va a establecer un nuevo nivel &quot;Lleno&quot;
¿Está seguro?</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;Пустой&quot;
Вы уверены?</source>
        <translation>Se va a establecer un nuevo nivel &quot;Vacío&quot;
¿Está seguro?</translation>
    </message>
    <message>
        <source>Установку &quot;Полный&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation>Se recomienda establecer &quot;Lleno&quot;
con el suavizado desactivado</translation>
    </message>
    <message>
        <source>Установку &quot;Пустой&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation>Se recomienda establecer &quot;Vacío&quot;
con el suavizado desactivado</translation>
    </message>
    <message>
        <source>Сейчас будут записаны новые настройки</source>
        <translation>Ahora se escribirán los nuevos ajustes</translation>
    </message>
    <message>
        <source>Сейчас будет установлен &quot;НОЛЬ&quot;</source>
        <translation>Ahora se establecerá el &quot;CERO&quot;</translation>
    </message>
    <message>
        <source>Данные выбранного датчика ещё не получены от индикатора.
Повторите через несколько секунд</source>
        <translation>Los datos del sensor elegido aún no han llegado del indicador.
Vuelva a intentarlo en unos segundos</translation>
    </message>
    <message>
        <source>Незаконченная тарировка сохранена в файле
%1</source>
        <translation>La calibración sin terminar se guardó en el archivo
%1</translation>
    </message>
    <message>
        <source>Дождитесь окончания обновления прошивки</source>
        <translation>Espere a que termine la actualización del firmware</translation>
    </message>
    <message>
        <source>Обновление прошивки прервано</source>
        <translation>La actualización del firmware se interrumpió</translation>
    </message>
    <message>
        <source>«%1» в столбце «%2», строке %3</source>
        <translation>«%1» en la columna «%2», fila %3</translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
Файл не читается как текст таблицы</source>
        <translation>La tabla del archivo no se escribió en el indicador
El archivo no se puede leer como el texto de una tabla</translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
Недопустимое значение: %1
Допустимы числа от %2 до %3</source>
        <translation>La tabla del archivo no se escribió en el indicador
Valor no válido: %1
Se admiten números de %2 a %3</translation>
    </message>
    <message>
        <source>Строки файла, которые не удалось прочитать, пропущены: %1
Номера строк: %2</source>
        <translation>Se omitieron las líneas del archivo que no se pudieron leer: %1
Números de línea: %2</translation>
    </message>
    <message>
        <source>Не удалось переместить незаконченную тарировку
%1
Таблица не записывается в файл</source>
        <translation>No se pudo apartar la calibración sin terminar
%1
La tabla no se está guardando en un archivo</translation>
    </message>
    <message>
        <source>Не удалось записать файл тарировки
%1
Таблица не записывается в файл</source>
        <translation>No se pudo escribir el archivo de calibración
%1
La tabla no se está guardando en un archivo</translation>
    </message>
    <message>
        <source>Датчик не сообщил серийный номер.
Тарировка не начата, попробуйте ещё раз</source>
        <translation>El sensor no ha informado su número de serie.
No se inició la calibración, inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Датчик 2 не сообщил серийный номер.
Второй датчик не добавлен, попробуйте ещё раз</source>
        <translation>El sensor 2 no ha informado su número de serie.
No se añadió el segundo sensor, inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Датчик 2 ещё не сообщил уровень.
Второй датчик не добавлен, попробуйте ещё раз</source>
        <translation>El sensor 2 aún no ha informado su nivel.
No se añadió el segundo sensor, inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Датчик %1 не отвечает.
Порция не записана: дождитесь его уровня или удалите датчик из тарировки</source>
        <translation>El sensor %1 no responde.
La porción no se registró: espere su nivel o quite el sensor de la calibración</translation>
    </message>
    <message>
        <source>Датчики на линии не те, с которыми начата тарировка.
Порция не записана</source>
        <translation>Los sensores de la línea no son aquellos con los que empezó la calibración.
La porción no se registró</translation>
    </message>
    <message>
        <source>Датчик 2 не сообщил серийный номер.
Тарировка двух датчиков пока недоступна</source>
        <translation>El sensor 2 no ha informado su número de serie.
La calibración de dos sensores aún no está disponible</translation>
    </message>
    <message>
        <source>Таблица из файла не записана в индикатор
В файле нет ни одной строки таблицы</source>
        <translation>La tabla del archivo no se escribió en el indicador
El archivo no contiene ninguna fila de tabla</translation>
    </message>
    <message>
        <source>В файле показания двух датчиков, а тарировка идёт с одним датчиком.
Файл не загружен</source>
        <translation>El archivo contiene lecturas de dos sensores, pero la calibración se hace con un sensor.
El archivo no se cargó</translation>
    </message>
    <message>
        <source>В файле показания одного датчика, а тарировка идёт с двумя датчиками.
Файл не загружен</source>
        <translation>El archivo contiene lecturas de un sensor, pero la calibración se hace con dos sensores.
El archivo no se cargó</translation>
    </message>
    <message>
        <source>Датчик не ответил
Запись параметров не подтверждена</source>
        <translation>El sensor no respondió
La escritura de los parámetros no está confirmada</translation>
    </message>
    <message>
        <source>Датчик ещё не сообщил уровень.
Тарировка не начата, попробуйте ещё раз</source>
        <translation>El sensor aún no ha informado su nivel.
No se inició la calibración, inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл тарировки
%1
Тарировка не завершена</source>
        <translation>No se pudo guardar el archivo de calibración
%1
La calibración no ha terminado</translation>
    </message>
    <message>
        <source>Не удалось записать копию тарировки
%1</source>
        <translation>No se pudo escribir la copia de la calibración
%1</translation>
    </message>
    <message>
        <source>Не удалось удалить временный файл тарировки
%1
При следующем запуске тарировка будет предложена снова</source>
        <translation>No se pudo eliminar el archivo temporal de calibración
%1
La calibración se ofrecerá de nuevo en el próximo inicio</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл</source>
        <translation>No se pudo guardar el archivo</translation>
    </message>
    <message>
        <source>Порт не найден: преобразователь отключён.</source>
        <translation>Puerto no encontrado: el convertidor está desconectado.</translation>
    </message>
    <message>
        <source>Нет прав на доступ к порту. Его открывают участники группы %1: добавьте в неё пользователя (sudo usermod -aG %1 $USER) и войдите в систему заново.</source>
        <translation>Sin permiso para abrir el puerto. Lo pueden abrir los miembros del grupo %1: agregue el usuario a ese grupo (sudo usermod -aG %1 $USER) y vuelva a iniciar sesión.</translation>
    </message>
    <message>
        <source>Порт занят другой программой.</source>
        <translation>El puerto está en uso por otro programa.</translation>
    </message>
    <message>
        <source>Это не последовательный порт.</source>
        <translation>No es un puerto serie.</translation>
    </message>
    <message>
        <source>Не удалось открыть порт %1.</source>
        <translation>No se pudo abrir el puerto %1.</translation>
    </message>
    <message>
        <source>Нет прав на доступ к порту. Доступ к нему даёт администратор системы.</source>
        <translation>Sin permiso para abrir el puerto. El administrador del sistema puede darle acceso.</translation>
    </message>
</context>
<context>
    <name>SaveFileName</name>
    <message>
        <source>Файл с таким именем уже существует.
Заменить его?</source>
        <translation>Ya existe un archivo con este nombre.
¿Reemplazarlo?</translation>
    </message>
</context>
<context>
    <name>Security</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Introducir contraseña</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Establecer contraseña</translation>
    </message>
    <message>
        <source>Удалить пароль</source>
        <translation>Eliminar contraseña</translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation>El cambio de ajustes del dispositivo está protegido con contraseña.
Introduzca la contraseña</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>El cambio de ajustes del sensor no está protegido con contraseña
Puede establecer una contraseña u omitir este paso</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Введите пароль: число от 0 до %1</source>
        <translation>Introduzca la contraseña: un número de 0 a %1</translation>
    </message>
    <message>
        <source>Неизвестно, защищён ли датчик паролем
Введите пароль или установите новый</source>
        <translation>No se sabe si el sensor está protegido con contraseña
Introduzca la contraseña o establezca una nueva</translation>
    </message>
</context>
<context>
    <name>SecurityBLE</name>
    <message>
        <source>Ввести пароль датчика</source>
        <translation>Introducir contraseña del sensor</translation>
    </message>
    <message>
        <source>Установить пароль датчика</source>
        <translation>Establecer contraseña del sensor</translation>
    </message>
    <message>
        <source>Удалить пароль датчика</source>
        <translation>Eliminar contraseña del sensor</translation>
    </message>
    <message>
        <source>Изменение настроек датчика защищено паролем.
Введите пароль</source>
        <translation>El cambio de ajustes del sensor está protegido con contraseña.
Introduzca la contraseña</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>El cambio de ajustes del sensor no está protegido con contraseña
Puede establecer una contraseña u omitir este paso</translation>
    </message>
    <message>
        <source>Ожидаем ответ беспроводного датчика:
защищён ли он паролем</source>
        <translation>Esperando a que el sensor inalámbrico responda
si está protegido con contraseña</translation>
    </message>
    <message>
        <source>Неизвестно, защищён ли датчик паролем
Введите пароль или установите новый</source>
        <translation>No se sabe si el sensor está protegido con contraseña
Introduzca la contraseña o establezca una nueva</translation>
    </message>
</context>
<context>
    <name>TarGraph</name>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation>VOLVER</translation>
    </message>
    <message>
        <source>Недостаточно данных для построения графика</source>
        <translation>No hay datos suficientes para trazar el gráfico</translation>
    </message>
    <message>
        <source>График тарировки датчиков</source>
        <translation>Gráfico de calibración de los sensores</translation>
    </message>
    <message>
        <source>Показания датчика</source>
        <translation>Lectura del sensor</translation>
    </message>
    <message>
        <source>Объём в литрах/галлонах</source>
        <translation>Volumen en litros/galones</translation>
    </message>
</context>
<context>
    <name>TarRun</name>
    <message>
        <source>Галлоны</source>
        <translation>Galones</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
</context>
<context>
    <name>WidgetTar</name>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Estable</translation>
    </message>
</context>
<context>
    <name>WiredTagDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor conectado</translation>
    </message>
    <message>
        <source>Дождитесь окончания текущей операции</source>
        <translation>Espere a que termine la operación en curso</translation>
    </message>
    <message>
        <source>Введите шестнадцатеричное число: цифры 0-9 и буквы a-f</source>
        <translation>Introduzca un número hexadecimal: cifras 0-9 y letras a-f</translation>
    </message>
</context>
</TS>
