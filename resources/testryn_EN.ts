<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>AboutDialog</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Сайт производителя</source>
        <translation>Manufacturer&apos;s website</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AuCell</name>
    <message>
        <source>ед.</source>
        <translation>u.</translation>
    </message>
    <message>
        <source>В3:</source>
        <translation>I3:</translation>
    </message>
    <message>
        <source>В4:</source>
        <translation>I4:</translation>
    </message>
    <message>
        <source>В1:</source>
        <translation>I1:</translation>
    </message>
    <message>
        <source>В2:</source>
        <translation>I2:</translation>
    </message>
    <message>
        <source>Р3:</source>
        <translation>R3:</translation>
    </message>
    <message>
        <source>Р4:</source>
        <translation>R4:</translation>
    </message>
    <message>
        <source>Р1:</source>
        <translation>R1:</translation>
    </message>
    <message>
        <source>Р2:</source>
        <translation>R2:</translation>
    </message>
    <message>
        <source>З1:</source>
        <translation>V1:</translation>
    </message>
    <message>
        <source>З2:</source>
        <translation>V2:</translation>
    </message>
    <message>
        <source> В</source>
        <translation> V</translation>
    </message>
    <message>
        <source>Тз=</source>
        <translation>S=</translation>
    </message>
    <message>
        <source>Р=</source>
        <translation>R=</translation>
    </message>
</context>
<context>
    <name>AuInfoWidget</name>
    <message>
        <source>Общее состояние</source>
        <translation>General state</translation>
    </message>
    <message>
        <source>Состояние ионисторов</source>
        <translation>Ionistors</translation>
    </message>
    <message>
        <source>Задымлённость</source>
        <translation>Smoke level</translation>
    </message>
    <message>
        <source>Свойства АУ</source>
        <translation>Unit properties</translation>
    </message>
</context>
<context>
    <name>AuLegendWidget</name>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Полная</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Т / задымл</source>
        <translation>T/smoke</translation>
    </message>
    <message>
        <source>U ионисторов</source>
        <translation>Ionist. U</translation>
    </message>
    <message>
        <source>задымлённость</source>
        <translation>smoke</translation>
    </message>
    <message>
        <source>Масштаб</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Перенос
 строк</source>
        <translation>Wrap
 lines</translation>
    </message>
    <message>
        <source>норма</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>потеря связи</source>
        <translation>link lost</translation>
    </message>
    <message>
        <source>неиспр. АУ</source>
        <translation>unit fault</translation>
    </message>
    <message>
        <source>неверн. тип</source>
        <translation>wrong type</translation>
    </message>
    <message>
        <source>пожар</source>
        <translation>fire</translation>
    </message>
    <message>
        <source>вскрытие</source>
        <translation>tamper</translation>
    </message>
    <message>
        <source>блокировка</source>
        <translation>blocked</translation>
    </message>
    <message>
        <source>скрыто</source>
        <translation>hidden</translation>
    </message>
    <message>
        <source>двойн. адрес</source>
        <translation>double addr.</translation>
    </message>
    <message>
        <source>адр. не сконф.</source>
        <translation>addr. not conf.</translation>
    </message>
    <message>
        <source>разряжен</source>
        <translation>discharged</translation>
    </message>
    <message>
        <source>треб. заряд</source>
        <translation>needs charge</translation>
    </message>
    <message>
        <source>перезаряд</source>
        <translation>overcharged</translation>
    </message>
    <message>
        <source>неисправен</source>
        <translation>faulty</translation>
    </message>
    <message>
        <source>не определ.</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>крит. запыл.</source>
        <translation>crit. dust</translation>
    </message>
    <message>
        <source>пред. запыл.</source>
        <translation>dust limit</translation>
    </message>
</context>
<context>
    <name>EvDescDialog</name>
    <message>
        <source>Описание события</source>
        <translation>Event description</translation>
    </message>
    <message>
        <source>Код события:</source>
        <translation>Event code:</translation>
    </message>
    <message>
        <source>Изменить цвет шрифта</source>
        <translation>Change text colour</translation>
    </message>
    <message>
        <source>Изменить цвет фона</source>
        <translation>Change background colour</translation>
    </message>
    <message>
        <source>Событие:</source>
        <translation>Event:</translation>
    </message>
    <message>
        <source>Отображать дополнительное описание</source>
        <translation>Show additional description</translation>
    </message>
    <message>
        <source>Префикс:</source>
        <translation>Prefix:</translation>
    </message>
    <message>
        <source>Постфикс:</source>
        <translation>Suffix:</translation>
    </message>
    <message>
        <source>Заменить значение (число) на описание:</source>
        <translation>Replace the value (number) with a description:</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Добавить описание</source>
        <translation>Add description</translation>
    </message>
    <message>
        <source>Изменить описание</source>
        <translation>Edit description</translation>
    </message>
    <message>
        <source>Удалить описание</source>
        <translation>Delete description</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Номер события не должен быть &apos;0&apos;!</source>
        <translation>The event number must not be &apos;0&apos;!</translation>
    </message>
</context>
<context>
    <name>EvDescListDialog</name>
    <message>
        <source>Редактирование описания событий</source>
        <translation>Event description editing</translation>
    </message>
    <message>
        <source>Добавить описание события</source>
        <translation>Add event description</translation>
    </message>
    <message>
        <source>Редактировать описание события</source>
        <translation>Edit event description</translation>
    </message>
    <message>
        <source>Удалить описание события</source>
        <translation>Delete event description</translation>
    </message>
    <message>
        <source>Задать версию файла событий</source>
        <translation>Set event file version</translation>
    </message>
    <message>
        <source>Сохранить описания</source>
        <translation>Save descriptions</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Описание события</source>
        <translation>Event description</translation>
    </message>
    <message>
        <source>Список событий</source>
        <translation>Event list</translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Не удалось сохранить описания событий!</source>
        <translation>Could not save the event descriptions!</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>Изменения не сохранены!
Все равно выйти?</source>
        <translation>The changes have not been saved!
Exit anyway?</translation>
    </message>
    <message>
        <source>Есть изменения - не забудьте сохранить!</source>
        <translation>There are unsaved changes - remember to save!</translation>
    </message>
</context>
<context>
    <name>EvFilterDialog</name>
    <message>
        <source>Фильтр событий</source>
        <translation>Event filter</translation>
    </message>
    <message>
        <source>Выбор RYN</source>
        <translation>Select RYN</translation>
    </message>
    <message>
        <source>Адрес RYN:</source>
        <translation>RYN address:</translation>
    </message>
    <message>
        <source>Выбор АУ</source>
        <translation>Select unit</translation>
    </message>
    <message>
        <source>Адрес АУ:</source>
        <translation>Unit address:</translation>
    </message>
    <message>
        <source>Выбор события</source>
        <translation>Select event</translation>
    </message>
    <message>
        <source>Код события:</source>
        <translation>Event code:</translation>
    </message>
    <message>
        <source>Ввод</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>EventsModel</name>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Номер входа</source>
        <translation>Input no.</translation>
    </message>
    <message>
        <source>Адрес АУ</source>
        <translation>Unit address</translation>
    </message>
    <message>
        <source>Код</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Доп. параметры</source>
        <translation>Extra params</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Description</translation>
    </message>
</context>
<context>
    <name>EventsWidget</name>
    <message>
        <source>Дата формирования отчёта: </source>
        <translation>Report created: </translation>
    </message>
    <message>
        <source>Фильтр по событиям:</source>
        <translation>Event filter:</translation>
    </message>
    <message>
        <source>Фиксация</source>
        <translation>Hold view</translation>
    </message>
    <message>
        <source>Индикатор чтения описания событий: зеленый - норма, красный - ошибка</source>
        <translation>Event description loading indicator: green - OK, red - error</translation>
    </message>
    <message>
        <source>Индикатор превышения количества событий: белый - нет превышения, желтый - есть</source>
        <translation>Event limit indicator: white - not exceeded, yellow - exceeded</translation>
    </message>
    <message>
        <source>Очистить список событий</source>
        <translation>Clear the event list</translation>
    </message>
    <message>
        <source>Сохранить отфильтрованные события в файл</source>
        <translation>Save the filtered events to a file</translation>
    </message>
    <message>
        <source>Адрес RYN:</source>
        <translation>RYN address:</translation>
    </message>
    <message>
        <source>Адрес АУ:</source>
        <translation>Unit address:</translation>
    </message>
    <message>
        <source>Код события:</source>
        <translation>Event code:</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>Будут удалены все события, не только отфильтрованные!
Продолжить?</source>
        <translation>All events will be deleted, not only the filtered ones!
Continue?</translation>
    </message>
    <message>
        <source>Сохранить события</source>
        <translation>Save events</translation>
    </message>
    <message>
        <source>Успех!</source>
        <translation>Success!</translation>
    </message>
    <message>
        <source>События успешно сохранены!</source>
        <translation>The events have been saved!</translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Не удалось сохранить события!</source>
        <translation>Could not save the events!</translation>
    </message>
    <message>
        <source>Событий: </source>
        <translation>Events: </translation>
    </message>
    <message>
        <source>Версия описания событий</source>
        <translation>Event description version</translation>
    </message>
    <message>
        <source>не установлен</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>адрес RYN</source>
        <translation>RYN address</translation>
    </message>
    <message>
        <source>адрес АУ</source>
        <translation>unit address</translation>
    </message>
    <message>
        <source>код события</source>
        <translation>event code</translation>
    </message>
</context>
<context>
    <name>HardTypes</name>
    <message>
        <source>ИПР</source>
        <translation>MCP</translation>
    </message>
    <message>
        <source>ИПТ</source>
        <translation>HD</translation>
    </message>
    <message>
        <source>ИПТ-И</source>
        <translation>HD-I</translation>
    </message>
    <message>
        <source>ИПД</source>
        <translation>SD</translation>
    </message>
    <message>
        <source>ИПП</source>
        <translation>FD</translation>
    </message>
    <message>
        <source>ИПП-И</source>
        <translation>FD-I</translation>
    </message>
    <message>
        <source>УДП</source>
        <translation>RSB</translation>
    </message>
    <message>
        <source>Vexa2</source>
        <translation>Vexa2</translation>
    </message>
    <message>
        <source>Vexa4</source>
        <translation>Vexa4</translation>
    </message>
    <message>
        <source>Zirn2</source>
        <translation>Zirn2</translation>
    </message>
    <message>
        <source>Zirn4</source>
        <translation>Zirn4</translation>
    </message>
    <message>
        <source>Vexa2Р2</source>
        <translation>Vexa2R2</translation>
    </message>
    <message>
        <source>Dulo-A</source>
        <translation>Dulo-A</translation>
    </message>
    <message>
        <source>Dulo-B</source>
        <translation>Dulo-B</translation>
    </message>
    <message>
        <source>Fenk</source>
        <translation>Fenk</translation>
    </message>
    <message>
        <source>Pona-A</source>
        <translation>Pona-A</translation>
    </message>
    <message>
        <source>Pona-B</source>
        <translation>Pona-B</translation>
    </message>
    <message>
        <source>Pona-C</source>
        <translation>Pona-C</translation>
    </message>
    <message>
        <source>Pona-D</source>
        <translation>Pona-D</translation>
    </message>
    <message>
        <source>Pona-E</source>
        <translation>Pona-E</translation>
    </message>
    <message>
        <source>ИПД/Т</source>
        <translation>SD/HD</translation>
    </message>
    <message>
        <source>ИПД/Т-И</source>
        <translation>SD/HD-I</translation>
    </message>
    <message>
        <source>RYN</source>
        <translation>RYN</translation>
    </message>
    <message>
        <source>Vexa2A</source>
        <translation>Vexa2A</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Тест RYN</source>
        <translation>RYN Test</translation>
    </message>
    <message>
        <source>Порт не выбран</source>
        <translation>No port selected</translation>
    </message>
    <message>
        <source>Контроллеры RYN не отвечают</source>
        <translation>No RYN controller answers</translation>
    </message>
    <message>
        <source>Передано:</source>
        <translation>Sent:</translation>
    </message>
    <message>
        <source>Принято:</source>
        <translation>Received:</translation>
    </message>
    <message>
        <source>Нет ответа:</source>
        <translation>No answer:</translation>
    </message>
    <message>
        <source>Ошибок:</source>
        <translation>Errors:</translation>
    </message>
    <message>
        <source>Связи:</source>
        <translation>Link:</translation>
    </message>
    <message>
        <source>Меню</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Настройки ...</source>
        <translation>Settings ...</translation>
    </message>
    <message>
        <source>Редактор событий ...</source>
        <translation>Event editor ...</translation>
    </message>
    <message>
        <source>Выбрать язык ...</source>
        <translation>Select language ...</translation>
    </message>
    <message>
        <source>О программе ...</source>
        <translation>About ...</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Смена языка</source>
        <translation>Language change</translation>
    </message>
    <message>
        <source>Язык приложения изменен!
Изменения вступят в силу после перезагрузки программы.</source>
        <translation>The application language has been changed!
The change takes effect when the program is restarted.</translation>
    </message>
    <message>
        <source>Тест RYN.
Версия %1
Версия описания событий %2</source>
        <translation>RYN Test.
Version %1
Event description version %2</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
</context>
<context>
    <name>ModbusErrorsDialog</name>
    <message>
        <source>Ошибки ModBus</source>
        <translation>ModBus errors</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Количество</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Всего ошибок: %1</source>
        <translation>Total errors: %1</translation>
    </message>
    <message>
        <source>Принятый код функции не может быть обработан на подчиненном</source>
        <translation>Illegal function: the function code received cannot be processed by the slave</translation>
    </message>
    <message>
        <source>Адрес данных, указанный в запросе, не доступен данному подчиненному</source>
        <translation>Illegal data address: the data address in the request is not available on this slave</translation>
    </message>
    <message>
        <source>Величина, содержащаяся в поле данных запроса, недопустима</source>
        <translation>Illegal data value: the value in the request data field is not allowed</translation>
    </message>
    <message>
        <source>Невосстанавливаемая ошибка при выполнении действия подчиненным</source>
        <translation>Slave device failure: an unrecoverable error occurred while the slave performed the action</translation>
    </message>
    <message>
        <source>Подчиненный принял запрос и будет обрабатывать его долго</source>
        <translation>Acknowledge: the slave accepted the request and will take a long time to process it</translation>
    </message>
    <message>
        <source>Подчиненный занят обработкой команды</source>
        <translation>Slave device busy: the slave is processing a command</translation>
    </message>
</context>
<context>
    <name>OstrelCommPortDialog</name>
    <message>
        <source>Выбор COM-порта</source>
        <translation>COM port selection</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>COM-порт:</source>
        <translation>COM port:</translation>
    </message>
    <message>
        <source>порт открыт</source>
        <translation>port open</translation>
    </message>
    <message>
        <source>порт не открыт</source>
        <translation>port not open</translation>
    </message>
</context>
<context>
    <name>RYNSelectWidget</name>
    <message>
        <source>RYN:</source>
        <translation>RYN:</translation>
    </message>
    <message>
        <source>Поиск RYN</source>
        <translation>Find RYN</translation>
    </message>
    <message>
        <source>ИПТ</source>
        <translation>HD</translation>
    </message>
    <message>
        <source>ИПД</source>
        <translation>SD</translation>
    </message>
    <message>
        <source>ИПД/Т</source>
        <translation>SD/HD</translation>
    </message>
    <message>
        <source>ИПП</source>
        <translation>FD</translation>
    </message>
    <message>
        <source>ИПР/УДП</source>
        <translation>MCP/RSB</translation>
    </message>
    <message>
        <source>Fenk</source>
        <translation>Fenk</translation>
    </message>
    <message>
        <source>Vexa</source>
        <translation>Vexa</translation>
    </message>
    <message>
        <source>Zirn</source>
        <translation>Zirn</translation>
    </message>
    <message>
        <source>Vexa2Р2</source>
        <translation>Vexa2R2</translation>
    </message>
    <message>
        <source>Dulo</source>
        <translation>Dulo</translation>
    </message>
    <message>
        <source>Все типы</source>
        <translation>All types</translation>
    </message>
    <message>
        <source>Фильтрация</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Прием событий:</source>
        <translation>Receive events:</translation>
    </message>
    <message>
        <source>от всех RYN</source>
        <translation>from all RYN</translation>
    </message>
    <message>
        <source>от тек. RYN</source>
        <translation>from cur. RYN</translation>
    </message>
</context>
<context>
    <name>SelectLanguage</name>
    <message>
        <source>Выбор языка</source>
        <translation>Language selection</translation>
    </message>
    <message>
        <source>Доступные языки:</source>
        <translation>Available languages:</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Выбор языка не настроен
(см. &apos;languages.ini&apos;).</source>
        <translation>Language selection is not configured
(see &apos;languages.ini&apos;).</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>Настройки программы</source>
        <translation>Program settings</translation>
    </message>
    <message>
        <source>Максимальное количество событий:</source>
        <translation>Maximum number of events:</translation>
    </message>
    <message>
        <source>События</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>UnitTexts</name>
    <message>
        <source>Норма</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Отключен</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Двойной адрес</source>
        <translation>Double address</translation>
    </message>
    <message>
        <source>Ошибки приёма</source>
        <translation>Receive errors</translation>
    </message>
    <message>
        <source>Не отвечает</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>Неверн. тип</source>
        <translation>Wrong type</translation>
    </message>
    <message>
        <source>Частично разряж.</source>
        <translation>Partly discharged</translation>
    </message>
    <message>
        <source>Разряжены</source>
        <translation>Discharged</translation>
    </message>
    <message>
        <source>Неисправны</source>
        <translation>Faulty</translation>
    </message>
    <message>
        <source>Не определено</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>Перезаряд</source>
        <translation>Overcharged</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Критическая</source>
        <translation>Critical</translation>
    </message>
    <message>
        <source>Предельная</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Вскрытие</source>
        <translation>Tamper</translation>
    </message>
    <message>
        <source>Неисправность</source>
        <translation>Fault</translation>
    </message>
    <message>
        <source>Нагрев</source>
        <translation>Heating</translation>
    </message>
    <message>
        <source>Обрыв</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>КЗ</source>
        <translation>Short</translation>
    </message>
    <message>
        <source>Разомкнут</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>р</source>
        <translation>o</translation>
    </message>
    <message>
        <source>Замкнут</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>з</source>
        <translation>c</translation>
    </message>
    <message>
        <source>о</source>
        <translation>b</translation>
    </message>
    <message>
        <source>к</source>
        <translation>s</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Выключен</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Включен</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Обрыв или КЗ</source>
        <translation>Break or short</translation>
    </message>
    <message>
        <source>н</source>
        <translation>f</translation>
    </message>
    <message>
        <source>Промежуточное пол.</source>
        <translation>Intermediate pos.</translation>
    </message>
    <message>
        <source>Задвижка закрыта</source>
        <translation>Valve closed</translation>
    </message>
    <message>
        <source>Задвижка открыта</source>
        <translation>Valve open</translation>
    </message>
    <message>
        <source>Выключено</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>В</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Прямое</source>
        <translation>Direct</translation>
    </message>
    <message>
        <source>П</source>
        <translation>D</translation>
    </message>
    <message>
        <source>Прям. с миганием</source>
        <translation>Direct, flashing</translation>
    </message>
    <message>
        <source>ПМ</source>
        <translation>DF</translation>
    </message>
    <message>
        <source>Обратное</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>О</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Обр. с миганием</source>
        <translation>Reverse, flashing</translation>
    </message>
    <message>
        <source>ОМ</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>Исправен</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Неисправен</source>
        <translation>Faulty</translation>
    </message>
    <message>
        <source>Пониженное</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>Не нажата</source>
        <translation>Not pressed</translation>
    </message>
    <message>
        <source>Нажата</source>
        <translation>Pressed</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Открыта</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Закрыта</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>м</source>
        <translation>max</translation>
    </message>
    <message>
        <source>мд</source>
        <translation>max-diff</translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>п</source>
        <comment>valve</comment>
        <translation>m</translation>
    </message>
    <message>
        <source>з</source>
        <comment>valve</comment>
        <translation>c</translation>
    </message>
    <message>
        <source>о</source>
        <comment>valve</comment>
        <translation>o</translation>
    </message>
    <message>
        <source>н</source>
        <comment>valve</comment>
        <translation>b</translation>
    </message>
</context>
</TS>
