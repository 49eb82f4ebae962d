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
    <name>AuCellParametersModel</name>
    <message>
        <source>Свойство</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>AuConfigurationDialog</name>
    <message>
        <source>Основные</source>
        <translation>Main</translation>
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
        <source>Адрес отключен</source>
        <translation>Address disabled</translation>
    </message>
    <message>
        <source>неизвестный</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>Тип устройства</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>Тепловой канал</source>
        <translation>Heat channel</translation>
    </message>
    <message>
        <source>Пороговая температура</source>
        <translation>Threshold temperature</translation>
    </message>
    <message>
        <source>Тип теплового канала</source>
        <translation>Heat channel type</translation>
    </message>
    <message>
        <source>Начальное состояние выходов</source>
        <translation>Initial output state</translation>
    </message>
    <message>
        <source>Выход 1 вкл.</source>
        <translation>Output 1 on</translation>
    </message>
    <message>
        <source>Выход 2 вкл.</source>
        <translation>Output 2 on</translation>
    </message>
    <message>
        <source>Выход 3 вкл.</source>
        <translation>Output 3 on</translation>
    </message>
    <message>
        <source>Выход 4 вкл.</source>
        <translation>Output 4 on</translation>
    </message>
    <message>
        <source>Начальное состояние ЛО</source>
        <translation>Initial LO state</translation>
    </message>
    <message>
        <source>Питание ЛО</source>
        <translation>LO supply</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Attention!</translation>
    </message>
    <message>
        <source>Контроллер не выбран: конфигурацию АУ прочитать нельзя.</source>
        <translation>No controller selected: the unit configuration cannot be read.</translation>
    </message>
    <message>
        <source>Конфигурационные параметры %2 по адресу %1</source>
        <translation>Configuration of %2 at address %1</translation>
    </message>
    <message>
        <source>Не записано: %1</source>
        <translation>Not written: %1</translation>
    </message>
    <message>
        <source>Не прочитано: %1</source>
        <translation>Not read: %1</translation>
    </message>
    <message>
        <source>нет записи АУ</source>
        <translation>no entry for the unit</translation>
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
    <name>AuMenu</name>
    <message>
        <source>ВКЛ.</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>ВЫКЛ.</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Замкнуть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Разомкнуть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Свойства ...</source>
        <translation>Properties ...</translation>
    </message>
    <message>
        <source>Конфигурирование ...</source>
        <translation>Configuration ...</translation>
    </message>
    <message>
        <source>Красный светодиод</source>
        <translation>Red LED</translation>
    </message>
    <message>
        <source>Желтый светодиод</source>
        <translation>Yellow LED</translation>
    </message>
    <message>
        <source>Задать адрес ...</source>
        <translation>Set address ...</translation>
    </message>
    <message>
        <source>Заряд ионисторов</source>
        <translation>Ionistor charging</translation>
    </message>
    <message>
        <source>НЭ</source>
        <translation>Storage element</translation>
    </message>
    <message>
        <source>Лазер</source>
        <translation>Laser</translation>
    </message>
    <message>
        <source>Тест пиросенсора</source>
        <translation>Pyrosensor test</translation>
    </message>
    <message>
        <source>Режим &apos;ТЕСТ&apos;</source>
        <translation>&apos;TEST&apos; mode</translation>
    </message>
    <message>
        <source>Левый изолятор</source>
        <translation>Left isolator</translation>
    </message>
    <message>
        <source>Правый изолятор</source>
        <translation>Right isolator</translation>
    </message>
    <message>
        <source>ЛО</source>
        <translation>LO</translation>
    </message>
    <message>
        <source>Прямое</source>
        <translation>Direct</translation>
    </message>
    <message>
        <source>Прямое с миганием</source>
        <translation>Direct, flashing</translation>
    </message>
    <message>
        <source>Обратное</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>Обратное с миганием</source>
        <translation>Reverse, flashing</translation>
    </message>
    <message>
        <source>Реле Zirn</source>
        <translation>Zirn relays</translation>
    </message>
    <message>
        <source>ВКЛ. ...</source>
        <translation>ON ...</translation>
    </message>
    <message>
        <source>ВЫКЛ. ...</source>
        <translation>OFF ...</translation>
    </message>
    <message>
        <source>Блокировка</source>
        <translation>Blocking</translation>
    </message>
    <message>
        <source>Чтение границ</source>
        <translation>Read borders</translation>
    </message>
    <message>
        <source>Нижняя W1 ...</source>
        <translation>Lower W1 ...</translation>
    </message>
    <message>
        <source>Средняя W2 ...</source>
        <translation>Middle W2 ...</translation>
    </message>
    <message>
        <source>Верхняя W3 ...</source>
        <translation>Upper W3 ...</translation>
    </message>
    <message>
        <source>Запись границ</source>
        <translation>Write borders</translation>
    </message>
    <message>
        <source>Реле Pona</source>
        <translation>Pona relays</translation>
    </message>
    <message>
        <source>ВЫКЛ. все реле</source>
        <translation>All relays OFF</translation>
    </message>
    <message>
        <source>ВКЛ. реле К1</source>
        <translation>Relay K1 ON</translation>
    </message>
    <message>
        <source>ВКЛ. реле К2</source>
        <translation>Relay K2 ON</translation>
    </message>
    <message>
        <source>Напряжение Pona</source>
        <translation>Pona voltage</translation>
    </message>
    <message>
        <source>Напряжение сети основное</source>
        <translation>Main mains voltage</translation>
    </message>
    <message>
        <source>Напряжение сети резервное</source>
        <translation>Reserve mains voltage</translation>
    </message>
    <message>
        <source>Напряжение сети привода</source>
        <translation>Drive mains voltage</translation>
    </message>
    <message>
        <source>Включение реле</source>
        <translation>Switching relays on</translation>
    </message>
    <message>
        <source>Выключение реле</source>
        <translation>Switching relays off</translation>
    </message>
    <message>
        <source>Ввод адреса</source>
        <translation>Address entry</translation>
    </message>
    <message>
        <source>Новый адрес:</source>
        <translation>New address:</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Вы пытаетесь задать тот же адрес!</source>
        <translation>You are trying to set the same address!</translation>
    </message>
    <message>
        <source>Выбранный адрес уже есть и он на связи!
Продолжить?</source>
        <translation>The chosen address is taken by a unit that is online!
Continue?</translation>
    </message>
    <message>
        <source>Подождите</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Ожидаем значение ...</source>
        <translation>Waiting for the value ...</translation>
    </message>
    <message>
        <source>Введите значение</source>
        <translation>Enter value</translation>
    </message>
    <message>
        <source>Граница</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>Тренд ...</source>
        <translation>Trend ...</translation>
    </message>
</context>
<context>
    <name>AuPropertiesModel</name>
    <message>
        <source>Состояние общее</source>
        <translation>General state</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Тип процессора</source>
        <translation>Processor type</translation>
    </message>
    <message>
        <source>Связь</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Пожар</source>
        <translation>Fire</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Pre-alarm</translation>
    </message>
    <message>
        <source>НЭ</source>
        <translation>SE</translation>
    </message>
    <message>
        <source>R НЭ</source>
        <translation>R SE</translation>
    </message>
    <message>
        <source>U</source>
        <translation>U</translation>
    </message>
    <message>
        <source>U1</source>
        <translation>U1</translation>
    </message>
    <message>
        <source>U2</source>
        <translation>U2</translation>
    </message>
    <message>
        <source>U3</source>
        <translation>U3</translation>
    </message>
    <message>
        <source>Ионисторы</source>
        <translation>Ionistors</translation>
    </message>
    <message>
        <source>Заряд</source>
        <translation>Charging</translation>
    </message>
    <message>
        <source>Левый изол.</source>
        <translation>Left isol.</translation>
    </message>
    <message>
        <source>Правый изол.</source>
        <translation>Right isol.</translation>
    </message>
    <message>
        <source>Блокировка</source>
        <translation>Blocking</translation>
    </message>
    <message>
        <source>Тип теплового канала</source>
        <translation>Heat channel type</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Пороговая темп.</source>
        <translation>Threshold temp.</translation>
    </message>
    <message>
        <source>Сенсор</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Фототракт</source>
        <translation>Photo path</translation>
    </message>
    <message>
        <source>Задымлённость</source>
        <translation>Smoke</translation>
    </message>
    <message>
        <source>Средняя задымлённость (Y)</source>
        <translation>Mean smoke (Y)</translation>
    </message>
    <message>
        <source>Запылённость</source>
        <translation>Dust</translation>
    </message>
    <message>
        <source>Порог пожара ИПД</source>
        <translation>Smoke fire threshold</translation>
    </message>
    <message>
        <source>Оставшийся ресурс ИПД</source>
        <translation>Smoke detector resource left</translation>
    </message>
    <message>
        <source>Светодиод</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>Лазер</source>
        <translation>Laser</translation>
    </message>
    <message>
        <source>Пиросенсор</source>
        <translation>Pyrosensor</translation>
    </message>
    <message>
        <source>Накопитель S1</source>
        <translation>Accumulator S1</translation>
    </message>
    <message>
        <source>Накопитель S2</source>
        <translation>Accumulator S2</translation>
    </message>
    <message>
        <source>Таймер проверки пиросенсора</source>
        <translation>Pyrosensor check timer</translation>
    </message>
    <message>
        <source>Граница W1</source>
        <translation>Border W1</translation>
    </message>
    <message>
        <source>Граница W2</source>
        <translation>Border W2</translation>
    </message>
    <message>
        <source>Граница W3</source>
        <translation>Border W3</translation>
    </message>
    <message>
        <source>Вход 1</source>
        <translation>Input 1</translation>
    </message>
    <message>
        <source>Вход 2</source>
        <translation>Input 2</translation>
    </message>
    <message>
        <source>Вход 3</source>
        <translation>Input 3</translation>
    </message>
    <message>
        <source>Вход 4</source>
        <translation>Input 4</translation>
    </message>
    <message>
        <source>АЦП вх 1</source>
        <translation>ADC in 1</translation>
    </message>
    <message>
        <source>АЦП вх 2</source>
        <translation>ADC in 2</translation>
    </message>
    <message>
        <source>АЦП вх 3</source>
        <translation>ADC in 3</translation>
    </message>
    <message>
        <source>АЦП вх 4</source>
        <translation>ADC in 4</translation>
    </message>
    <message>
        <source>Выход 1 (текущее)</source>
        <translation>Output 1 (current)</translation>
    </message>
    <message>
        <source>Выход 2 (текущее)</source>
        <translation>Output 2 (current)</translation>
    </message>
    <message>
        <source>Выход 3 (текущее)</source>
        <translation>Output 3 (current)</translation>
    </message>
    <message>
        <source>Выход 4 (текущее)</source>
        <translation>Output 4 (current)</translation>
    </message>
    <message>
        <source>Выход 1 (начальное)</source>
        <translation>Output 1 (initial)</translation>
    </message>
    <message>
        <source>Выход 2 (начальное)</source>
        <translation>Output 2 (initial)</translation>
    </message>
    <message>
        <source>Выход 3 (начальное)</source>
        <translation>Output 3 (initial)</translation>
    </message>
    <message>
        <source>Выход 4 (начальное)</source>
        <translation>Output 4 (initial)</translation>
    </message>
    <message>
        <source>Кнопка</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>Крышка</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>Пит. ЛО (тек.)</source>
        <translation>LO supply (cur.)</translation>
    </message>
    <message>
        <source>Пит. ЛО (нач.)</source>
        <translation>LO supply (init.)</translation>
    </message>
    <message>
        <source>U пит. ЛО</source>
        <translation>LO supply U</translation>
    </message>
    <message>
        <source>Питание</source>
        <translation>Mains</translation>
    </message>
    <message>
        <source>ОП</source>
        <translation>MP</translation>
    </message>
    <message>
        <source>РП</source>
        <translation>RP</translation>
    </message>
    <message>
        <source>ЛО</source>
        <translation>LO</translation>
    </message>
    <message>
        <source>Средний ток ответа</source>
        <translation>Mean answer current</translation>
    </message>
    <message>
        <source>Ток ответа СБ</source>
        <translation>Standby answer current</translation>
    </message>
    <message>
        <source>Счётчик отсутствия ответов от АУ</source>
        <translation>Unit no-answer counter</translation>
    </message>
    <message>
        <source>Доп. данные</source>
        <translation>Extra data</translation>
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
        <source>ед.</source>
        <translation>u.</translation>
    </message>
    <message>
        <source>%1%2C</source>
        <translation>%1%2C</translation>
    </message>
    <message>
        <source> В</source>
        <translation> V</translation>
    </message>
    <message>
        <source> мА</source>
        <translation> mA</translation>
    </message>
    <message>
        <source>Ом.</source>
        <translation>Ohm</translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation>Off</translation>
    </message>
</context>
<context>
    <name>AuPropertiesWidget</name>
    <message>
        <source>Отчёт о состоянии АУ и RYN</source>
        <translation>Unit and RYN state report</translation>
    </message>
    <message>
        <source>Протокол обследования RYN</source>
        <translation>RYN inspection protocol</translation>
    </message>
    <message>
        <source>RYN адрес %1.
</source>
        <translation>RYN address %1.
</translation>
    </message>
    <message>
        <source>Применён фильтр. Скрытые типы: %1.
Отображаемые типы: %2.
</source>
        <translation>Filter applied. Hidden types: %1.
Shown types: %2.
</translation>
    </message>
    <message>
        <source>АУ адрес %1</source>
        <translation>Unit address %1</translation>
    </message>
    <message>
        <source>Сформировать отчёт...</source>
        <translation>Make report...</translation>
    </message>
    <message>
        <source>Сформировать протокол...</source>
        <translation>Make protocol...</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>Адрес текущего RYN (%1) вне диапазона от 1 до 8: данные не читались.</source>
        <translation>The current RYN address (%1) lies outside 1 to 8: nothing was read.</translation>
    </message>
    <message>
        <source>Процесс формирования отчётов был прерван пользователем.</source>
        <translation>Making the reports was interrupted by the user.</translation>
    </message>
    <message>
        <source>Процесс формирования протоколов был прерван пользователем.</source>
        <translation>Making the protocols was interrupted by the user.</translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Не удалось записать файлы:</source>
        <translation>These files could not be written:</translation>
    </message>
    <message>
        <source>Выберите шаблон имени для отчёта</source>
        <translation>Choose the name template for the reports</translation>
    </message>
    <message>
        <source>Выберите шаблон имени для протокола</source>
        <translation>Choose the name template for the protocols</translation>
    </message>
    <message>
        <source>CSV files(*.csv)</source>
        <translation>CSV files(*.csv)</translation>
    </message>
    <message>
        <source>HTML files(*.htm *.html)</source>
        <translation>HTML files(*.htm *.html)</translation>
    </message>
</context>
<context>
    <name>AuReleDialog</name>
    <message>
        <source>Реле 1</source>
        <translation>Relay 1</translation>
    </message>
    <message>
        <source>Реле 2</source>
        <translation>Relay 2</translation>
    </message>
    <message>
        <source>Реле 3</source>
        <translation>Relay 3</translation>
    </message>
    <message>
        <source>Реле 4</source>
        <translation>Relay 4</translation>
    </message>
    <message>
        <source>Выполнить</source>
        <translation>Execute</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>AuValueDialog</name>
    <message>
        <source>Ожидаем значение...</source>
        <translation>Waiting for the value...</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation>Error!</translation>
    </message>
</context>
<context>
    <name>CommandNames</name>
    <message>
        <source>Чтение событий</source>
        <translation>Event read</translation>
    </message>
</context>
<context>
    <name>CommentEditDialog</name>
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
    <name>CopyableTableView</name>
    <message>
        <source>Скопировать всё</source>
        <translation>Copy all</translation>
    </message>
    <message>
        <source>Скопировать выделенное</source>
        <translation>Copy selection</translation>
    </message>
    <message>
        <source>Экcпортировать в HTML</source>
        <translation>Export to HTML</translation>
    </message>
    <message>
        <source>Экcпортировать в CSV</source>
        <translation>Export to CSV</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Печать выделенного...</source>
        <translation>Print selection...</translation>
    </message>
    <message>
        <source>Неизвестная кодировка: %1</source>
        <translation>Unknown encoding: %1</translation>
    </message>
    <message>
        <source>Успех!</source>
        <translation>Success!</translation>
    </message>
    <message>
        <source>Файл успешно сохранен!</source>
        <translation>The file has been saved!</translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Не удалось записать в файл!</source>
        <translation>Could not write the file!</translation>
    </message>
    <message>
        <source>Дата формирования: %1</source>
        <translation>Created: %1</translation>
    </message>
    <message>
        <source>Разрыв заголовка</source>
        <translation>Header continues</translation>
    </message>
    <message>
        <source>Дата формирования отчёта:;</source>
        <translation>Report created:;</translation>
    </message>
    <message>
        <source>Сохранить данные</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>HTML files(*.htm *.html)</source>
        <translation>HTML files(*.htm *.html)</translation>
    </message>
    <message>
        <source>Комментарий к отчету</source>
        <translation>Report comment</translation>
    </message>
    <message>
        <source>Введите комментарий к отчету</source>
        <translation>Enter a comment for the report</translation>
    </message>
    <message>
        <source>CSV files(*.csv)</source>
        <translation>CSV files(*.csv)</translation>
    </message>
    <message>
        <source>Нет таблиц для записи</source>
        <translation>No tables to write</translation>
    </message>
    <message>
        <source>Не задано имя файла</source>
        <translation>No file name given</translation>
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
    <name>EvDescFile</name>
    <message>
        <source>Файл описаний событий %1 не найден или не открывается</source>
        <translation>The event description file %1 is missing or cannot be opened</translation>
    </message>
    <message>
        <source>Файл описаний событий %1 испорчен: ошибка JSON в позиции %2</source>
        <translation>The event description file %1 is damaged: JSON error at offset %2</translation>
    </message>
    <message>
        <source>Файл %1 не является файлом описаний событий</source>
        <translation>%1 is not an event description file</translation>
    </message>
    <message>
        <source>Пропущено записей в файле описаний событий %1: %2. Первая из них - запись № %3: %4</source>
        <translation>Records skipped in the event description file %1: %2. The first of them is record no. %3: %4</translation>
    </message>
    <message>
        <source>Байты не в кодировке UTF-8 в файле описаний событий %1 заменены знаком %2</source>
        <translation>Bytes that are not UTF-8 in the event description file %1 were replaced with %2</translation>
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
    <message>
        <source>Файл описаний событий прочитан не полностью:
%1
Сохранение заменит файл, и это будет потеряно. Все равно сохранить?</source>
        <translation>The event description file was not read completely:
%1
Saving replaces the file, and this will be lost. Save anyway?</translation>
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
    <message>
        <source>RYN</source>
        <translation>RYN</translation>
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
    <message>
        <source>тип %1</source>
        <translation>type %1</translation>
    </message>
</context>
<context>
    <name>LineMonitor</name>
    <message>
        <source>нет кодировки</source>
        <translation>no such encoding</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Функция</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Команда</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Запрос</source>
        <translation>Request</translation>
    </message>
    <message>
        <source>Ответ</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>Успешно</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Нет ответа</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>Неверный кадр</source>
        <translation>Bad frame</translation>
    </message>
    <message>
        <source>Ошибка CRC</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>Ошибка порта</source>
        <translation>Port error</translation>
    </message>
    <message>
        <source>Исключение %1</source>
        <translation>Exception %1</translation>
    </message>
    <message>
        <source>Неизвестная команда</source>
        <translation>Unknown command</translation>
    </message>
    <message>
        <source>Типы АУ не известны</source>
        <translation>Unit types unknown</translation>
    </message>
    <message>
        <source>RYN</source>
        <translation>RYN</translation>
    </message>
    <message>
        <source>Регистры</source>
        <translation>Registers</translation>
    </message>
    <message>
        <source>Длит., мс</source>
        <translation>Dur., ms</translation>
    </message>
</context>
<context>
    <name>LineMonitorWindow</name>
    <message>
        <source>Монитор линии</source>
        <translation>Line monitor</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Все</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Только ошибки</source>
        <translation>Errors only</translation>
    </message>
    <message>
        <source>Сохранить ...</source>
        <translation>Save ...</translation>
    </message>
    <message>
        <source>Контроллер:</source>
        <translation>Controller:</translation>
    </message>
    <message>
        <source>Записей: %1, показано: %2</source>
        <translation>Records: %1, shown: %2</translation>
    </message>
    <message>
        <source>ждут конца паузы: %1</source>
        <translation>waiting for the pause to end: %1</translation>
    </message>
    <message>
        <source>потеряно: %1</source>
        <translation>lost: %1</translation>
    </message>
    <message>
        <source>Сохранить обмен</source>
        <translation>Save the traffic</translation>
    </message>
    <message>
        <source>CSV (*.csv);;Текст (*.txt)</source>
        <translation>CSV (*.csv);;Text (*.txt)</translation>
    </message>
    <message>
        <source>Успех!</source>
        <translation>Success!</translation>
    </message>
    <message>
        <source>Обмен сохранён в файл %1</source>
        <translation>The traffic was saved to %1</translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: %2</source>
        <translation>Could not save %1: %2</translation>
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
    <message>
        <source>Внимание!</source>
        <translation>Attention!</translation>
    </message>
    <message>
        <source>Контроллер не выбран: команда не отправлена.</source>
        <translation>No controller selected: the command was not sent.</translation>
    </message>
    <message>
        <source>Монитор линии ...</source>
        <translation>Line monitor ...</translation>
    </message>
    <message>
        <source>Настройки хранятся в папке пользователя:
%1</source>
        <translation>The settings are kept in the user&apos;s folder:
%1</translation>
    </message>
    <message>
        <source>Не удалось сохранить настройки программы в файл
%1
Изменённые настройки будут потеряны при выходе.</source>
        <translation>The program settings could not be saved to the file
%1
Changed settings will be lost on exit.</translation>
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
    <message>
        <source>нет доступа: добавьте пользователя в группу dialout</source>
        <translation>no permission: add the user to the dialout group</translation>
    </message>
    <message>
        <source>Сервер последовательных портов: tcp://адрес:порт</source>
        <translation>Serial device server: tcp://address:port</translation>
    </message>
    <message>
        <source>Последовательный порт из списка или его имя, набранное вручную.</source>
        <translation>A serial port from the list, or its name typed by hand.</translation>
    </message>
    <message>
        <source>авто</source>
        <translation>auto</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Многие адаптеры RS-485 принимают то, что сами передают: ответ приходит за копией запроса.
&quot;авто&quot; - копия убирается, &quot;нет&quot; - ответ берётся как пришёл.</source>
        <translation>Many RS-485 adapters receive what they send: the answer arrives behind a copy of the request.
&quot;auto&quot; - the copy is removed, &quot;no&quot; - the answer is taken as it arrived.</translation>
    </message>
    <message>
        <source>Эхо адаптера:</source>
        <translation>Adapter echo:</translation>
    </message>
    <message>
        <source>Принято эхо запросов: %1</source>
        <translation>Request echoes received: %1</translation>
    </message>
    <message>
        <source>Неверное имя порта: %1</source>
        <translation>Invalid port name: %1</translation>
    </message>
</context>
<context>
    <name>RYNCmdWidget</name>
    <message>
        <source>Конфигурирование</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>По умолчанию</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>Очистка</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Сбросить выбранный RYN</source>
        <translation>Reset the selected RYN</translation>
    </message>
    <message>
        <source>Выполнить команду</source>
        <translation>Run a command</translation>
    </message>
    <message>
        <source>Параметры RYN</source>
        <translation>RYN parameters</translation>
    </message>
    <message>
        <source>Сбросить ВСЕ RYN</source>
        <translation>Reset ALL RYN</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>Будет выполнен сброс выбранного RYN!
Продолжить?</source>
        <translation>The selected RYN will be reset!
Continue?</translation>
    </message>
    <message>
        <source>Будет выполнена команда RYN:
%1
Продолжить?</source>
        <translation>The RYN command will be run:
%1
Continue?</translation>
    </message>
    <message>
        <source>Будет выполнен сброс ВСЕХ RYN!
Продолжить?</source>
        <translation>ALL RYN will be reset!
Continue?</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите сконфигурировать RYN значениями по умолчанию?</source>
        <translation>Are you sure you want to configure the RYN with the default values?</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите очистить конфигурацию?</source>
        <translation>Are you sure you want to clear the configuration?</translation>
    </message>
</context>
<context>
    <name>RYNInfoWidget</name>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Запросы СЛИ</source>
        <translation>Loop requests</translation>
    </message>
    <message>
        <source>Запросы ModBus</source>
        <translation>ModBus requests</translation>
    </message>
    <message>
        <source>Обрыв СЛИ</source>
        <translation>Loop break</translation>
    </message>
    <message>
        <source>КЗ СЛИ</source>
        <translation>Loop short</translation>
    </message>
    <message>
        <source>Двойные адреса</source>
        <translation>Duplicate addresses</translation>
    </message>
    <message>
        <source>Наличие АУ с адресом 251</source>
        <translation>Unit at address 251</translation>
    </message>
    <message>
        <source>Неисправность ОП</source>
        <translation>Main power fault</translation>
    </message>
    <message>
        <source>Неисправность РП</source>
        <translation>Reserve power fault</translation>
    </message>
    <message>
        <source>Тип 1</source>
        <translation>Type 1</translation>
    </message>
    <message>
        <source>Тип 2</source>
        <translation>Type 2</translation>
    </message>
    <message>
        <source>Тип 3</source>
        <translation>Type 3</translation>
    </message>
    <message>
        <source>Тип 4</source>
        <translation>Type 4</translation>
    </message>
    <message>
        <source>Тип 5</source>
        <translation>Type 5</translation>
    </message>
    <message>
        <source>Тип 6</source>
        <translation>Type 6</translation>
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
        <source>RYN</source>
        <translation>RYN</translation>
    </message>
    <message>
        <source>Тип: </source>
        <translation>Type: </translation>
    </message>
    <message>
        <source>Версия: </source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>Состояние RYN</source>
        <translation>RYN state</translation>
    </message>
    <message>
        <source>Кол-во АУ:  </source>
        <translation>Units:  </translation>
    </message>
    <message>
        <source>В опросе:  </source>
        <translation>Polled:  </translation>
    </message>
    <message>
        <source>R СЛИ(Ом):  </source>
        <translation>Loop R (Ohm):  </translation>
    </message>
    <message>
        <source> ключи </source>
        <translation> keys </translation>
    </message>
    <message>
        <source>ОЭ</source>
        <translation>OS</translation>
    </message>
    <message>
        <source>Заряжать:  </source>
        <translation>To charge:  </translation>
    </message>
    <message>
        <source>Заряжаются:  </source>
        <translation>Charging:  </translation>
    </message>
    <message>
        <source>U(В)</source>
        <translation>U(V)</translation>
    </message>
    <message>
        <source>I(мА)</source>
        <translation>I(mA)</translation>
    </message>
    <message>
        <source>&quot;24 В&quot;</source>
        <translation>&quot;24 V&quot;</translation>
    </message>
    <message>
        <source>&quot;13 В&quot;</source>
        <translation>&quot;13 V&quot;</translation>
    </message>
    <message>
        <source>Состояние реле:</source>
        <translation>Relays:</translation>
    </message>
    <message>
        <source>Пуск </source>
        <translation>Start </translation>
    </message>
    <message>
        <source>Пожар </source>
        <translation>Fire </translation>
    </message>
    <message>
        <source>Неиспр. </source>
        <translation>Fault </translation>
    </message>
    <message>
        <source>Ошибки RYN</source>
        <translation>RYN errors</translation>
    </message>
    <message>
        <source>Корпус RYN вскрыт</source>
        <translation>RYN case open</translation>
    </message>
    <message>
        <source>КЗ на левом выходе СЛИ</source>
        <translation>Short on the left loop output</translation>
    </message>
    <message>
        <source>КЗ на правом выходе СЛИ</source>
        <translation>Short on the right loop output</translation>
    </message>
    <message>
        <source>Неиспр. ОП</source>
        <translation>Main power fault</translation>
    </message>
    <message>
        <source>Неиспр. РП</source>
        <translation>Reserve power fault</translation>
    </message>
    <message>
        <source>Переполнение буфера СЛИ</source>
        <translation>Loop buffer overflow</translation>
    </message>
    <message>
        <source>Ошибки ОС</source>
        <translation>OS errors</translation>
    </message>
    <message>
        <source>Тип 1 </source>
        <translation>Type 1 </translation>
    </message>
    <message>
        <source>Тип 2 </source>
        <translation>Type 2 </translation>
    </message>
    <message>
        <source>Тип 3 </source>
        <translation>Type 3 </translation>
    </message>
    <message>
        <source>Тип 4 </source>
        <translation>Type 4 </translation>
    </message>
    <message>
        <source>Тип 5 </source>
        <translation>Type 5 </translation>
    </message>
    <message>
        <source>Тип 6 </source>
        <translation>Type 6 </translation>
    </message>
    <message>
        <source>Ошибки СЛИ</source>
        <translation>Loop errors</translation>
    </message>
    <message>
        <source>Запросы СЛИ:  </source>
        <translation>Loop requests:  </translation>
    </message>
    <message>
        <source>Ошибки Modbus</source>
        <translation>Modbus errors</translation>
    </message>
    <message>
        <source>Сервер</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Запросы ModBus:  </source>
        <translation>ModBus requests:  </translation>
    </message>
    <message>
        <source>Количество АУ в СЛИ согласно конфигурации</source>
        <translation>Units on the loop according to the configuration</translation>
    </message>
    <message>
        <source>Фактическое количество АУ, находящихся в СЛИ</source>
        <translation>Units actually on the loop</translation>
    </message>
    <message>
        <source>Тип, версия и кол-во АУ в СЛИ:</source>
        <translation>Type, version and number of units on the loop:</translation>
    </message>
    <message>
        <source>&lt;b&gt;Тип&lt;/b&gt;</source>
        <translation>&lt;b&gt;Type&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Версия&lt;/b&gt;</source>
        <translation>&lt;b&gt;Version&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Кол-во&lt;/b&gt;</source>
        <translation>&lt;b&gt;Count&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Напряжение питания</source>
        <translation>Supply voltage</translation>
    </message>
    <message>
        <source>Сопротивление СЛИ</source>
        <translation>Loop resistance</translation>
    </message>
    <message>
        <source> адрес %1</source>
        <translation> address %1</translation>
    </message>
    <message>
        <source>TimeOut</source>
        <translation>TimeOut</translation>
    </message>
    <message>
        <source>Ошибки ModBus  Сервер:</source>
        <translation>ModBus errors  Server:</translation>
    </message>
    <message>
        <source>CRC</source>
        <translation>CRC</translation>
    </message>
    <message>
        <source>ModBus</source>
        <translation>ModBus</translation>
    </message>
    <message>
        <source>Количество ошибок СЛИ:</source>
        <translation>Loop errors:</translation>
    </message>
    <message>
        <source>Ошибки ModBus RYN:</source>
        <translation>ModBus errors RYN:</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Ом.</source>
        <translation>Ohm.</translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Продолжительность работы</source>
        <translation>Operating time</translation>
    </message>
    <message>
        <source>Количество ошибок СЛИ 

Время работы </source>
        <translation>Loop errors 

Operating time </translation>
    </message>
    <message>
        <source>Количество ошибок ModBus 

Время работы </source>
        <translation>ModBus errors 

Operating time </translation>
    </message>
    <message>
        <source>Ошибки ОС:</source>
        <translation>OS errors:</translation>
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
    <name>ReadingRynsProgressDialog</name>
    <message>
        <source>Процесс сохранения данных</source>
        <translation>Saving data</translation>
    </message>
    <message>
        <source>RYN %1 - </source>
        <translation>RYN %1 - </translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ReportDocuments</name>
    <message>
        <source>a</source>
        <comment>genitive ending of March and August</comment>
        <translation>a</translation>
    </message>
    <message>
        <source>я</source>
        <comment>genitive ending of the other months</comment>
        <translation>я</translation>
    </message>
    <message>
        <source>&lt;center&gt;&lt;div style=&quot;width: 21cm; height: 29.7cm&quot;&gt;&lt;center&gt;&lt;pre&gt;Протокол 
заключительного обследования RYN&lt;/pre&gt;&lt;/center&gt;
&lt;pre style=&quot;text-align: end;&quot;&gt;«&lt;u&gt;%1&lt;/u&gt;» &lt;u&gt; %2 &lt;/u&gt; &lt;u&gt; %3 &lt;/u&gt;&lt;/pre&gt;
&lt;pre style=&quot;text-align: start;&quot;&gt;Характеристика объекта (тип (склад, паркинг, ТЦ и т.д), адрес) &lt;u&gt;                                      
                                                                                                     &lt;/u&gt;&lt;/pre&gt;
&lt;pre style=&quot;text-align: start;&quot;&gt;Адрес Torv: &lt;u&gt;   &lt;/u&gt;    Адрес RYN: &lt;u&gt; %4 &lt;/u&gt;    Версия RYN: &lt;u&gt; %5 &lt;/u&gt;&lt;/pre&gt;
</source>
        <translation>&lt;center&gt;&lt;div style=&quot;width: 21cm; height: 29.7cm&quot;&gt;&lt;center&gt;&lt;pre&gt;Final 
inspection protocol of RYN&lt;/pre&gt;&lt;/center&gt;
&lt;pre style=&quot;text-align: end;&quot;&gt;«&lt;u&gt;%1&lt;/u&gt;» &lt;u&gt; %2 &lt;/u&gt; &lt;u&gt; %3 &lt;/u&gt;&lt;/pre&gt;
&lt;pre style=&quot;text-align: start;&quot;&gt;Site (type (warehouse, car park, shopping centre, etc.), address) &lt;u&gt;                                      
                                                                                                     &lt;/u&gt;&lt;/pre&gt;
&lt;pre style=&quot;text-align: start;&quot;&gt;Torv address: &lt;u&gt;   &lt;/u&gt;    RYN address: &lt;u&gt; %4 &lt;/u&gt;    RYN version: &lt;u&gt; %5 &lt;/u&gt;&lt;/pre&gt;
</translation>
    </message>
    <message>
        <source>&lt;/div&gt;&lt;/center&gt;&lt;center&gt;&lt;div style=&quot;width: 21cm; height: 29.7cm&quot;&gt;&lt;pre style=&quot;page-break-before: always; text-align: start&quot;&gt;%1 – учитываются все АУ в том числе незапрограммированные или АУ с двойными адресами 
%2 – указывается время (часы), в течение которого происходило наблюдение, время должно быть 
не менее одного часа. Перед наблюдением необходимо сбросить RYN.

Выявленные неисправности АУ и СЛИ, &lt;b&gt;рекомендации по устранению&lt;/b&gt;:&lt;/pre&gt;
&lt;table style=&quot;width:100%; height:70%&quot; border=1 cellspacing=0 cellpadding=4&gt;
&lt;tr&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;
&lt;br&gt;
&lt;table cellspacing=8 cellpadding=4&gt;
&lt;tr&gt;&lt;td&gt;&lt;center&gt;Представитель ГК «Ostrel»&lt;/center&gt;&lt;/td&gt;&lt;td&gt;&lt;center&gt;Представитель заказчика&lt;/center&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;&lt;pre&gt;Подпись &lt;u&gt;                &lt;/u&gt;&lt;/pre&gt;&lt;/td&gt;&lt;td&gt;&lt;pre&gt;Подпись &lt;u&gt;                &lt;/u&gt;&lt;/pre&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;&lt;pre&gt;Фамилия &lt;u&gt;                                        &lt;/u&gt;&lt;/pre&gt;&lt;/td&gt;&lt;td&gt;&lt;pre&gt;Фамилия &lt;u&gt;                                        &lt;/u&gt;&lt;/pre&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;&lt;pre&gt;Должность &lt;u&gt;                                      
                                                &lt;/u&gt;        &lt;/pre&gt;&lt;/td&gt;&lt;td&gt;&lt;pre&gt;Должность &lt;u&gt;                                      
                                                &lt;/u&gt;        &lt;/pre&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;
&lt;/div&gt;&lt;/center&gt;</source>
        <translation>&lt;/div&gt;&lt;/center&gt;&lt;center&gt;&lt;div style=&quot;width: 21cm; height: 29.7cm&quot;&gt;&lt;pre style=&quot;page-break-before: always; text-align: start&quot;&gt;%1 – every unit counts, including units not programmed and units with double addresses 
%2 – the time (hours) over which the loop was observed; it must be 
at least one hour. Reset the RYN before the observation.

Faults found in the units and the loop, &lt;b&gt;recommendations for their repair&lt;/b&gt;:&lt;/pre&gt;
&lt;table style=&quot;width:100%; height:70%&quot; border=1 cellspacing=0 cellpadding=4&gt;
&lt;tr&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;
&lt;br&gt;
&lt;table cellspacing=8 cellpadding=4&gt;
&lt;tr&gt;&lt;td&gt;&lt;center&gt;Representative of Ostrel Group&lt;/center&gt;&lt;/td&gt;&lt;td&gt;&lt;center&gt;Customer&apos;s representative&lt;/center&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;&lt;pre&gt;Signature &lt;u&gt;                &lt;/u&gt;&lt;/pre&gt;&lt;/td&gt;&lt;td&gt;&lt;pre&gt;Signature &lt;u&gt;                &lt;/u&gt;&lt;/pre&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;&lt;pre&gt;Surname &lt;u&gt;                                        &lt;/u&gt;&lt;/pre&gt;&lt;/td&gt;&lt;td&gt;&lt;pre&gt;Surname &lt;u&gt;                                        &lt;/u&gt;&lt;/pre&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;&lt;pre&gt;Position &lt;u&gt;                                      
                                                &lt;/u&gt;        &lt;/pre&gt;&lt;/td&gt;&lt;td&gt;&lt;pre&gt;Position &lt;u&gt;                                      
                                                &lt;/u&gt;        &lt;/pre&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;
&lt;/div&gt;&lt;/center&gt;</translation>
    </message>
</context>
<context>
    <name>RynCmdDialog</name>
    <message>
        <source>Команды RYN</source>
        <translation>RYN commands</translation>
    </message>
    <message>
        <source>Из списка</source>
        <translation>From the list</translation>
    </message>
    <message>
        <source>                     - выключить</source>
        <translation>                     - off</translation>
    </message>
    <message>
        <source>СЛИ слева            - включить</source>
        <translation>Loop left            - on</translation>
    </message>
    <message>
        <source>СЛИ справа           - включить</source>
        <translation>Loop right           - on</translation>
    </message>
    <message>
        <source>Реле &apos;Неисправность&apos; - включить</source>
        <translation>Relay &apos;Fault&apos;        - on</translation>
    </message>
    <message>
        <source>Реле &apos;Пуск&apos;          - включить</source>
        <translation>Relay &apos;Start&apos;        - on</translation>
    </message>
    <message>
        <source>Реле &apos;Пожар&apos;         - включить</source>
        <translation>Relay &apos;Fire&apos;         - on</translation>
    </message>
    <message>
        <source>Очистка таблиц       - ВСЕХ таблиц</source>
        <translation>Clear tables         - ALL tables</translation>
    </message>
    <message>
        <source>Выполнить</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RynParamsModel</name>
    <message>
        <source>Адрес ModBus</source>
        <translation>ModBus address</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>Время работы подсветки ЖКИ (мин)</source>
        <translation>LCD backlight time (min)</translation>
    </message>
    <message>
        <source>Кол-во АУ, разрешённых к одновременному заряду (Шт.)</source>
        <translation>Units allowed to charge at once (pcs)</translation>
    </message>
    <message>
        <source>Продолжительность «холодного» старта (с)</source>
        <translation>Duration of a &quot;cold&quot; start (s)</translation>
    </message>
    <message>
        <source>Количество адресов в ЛС, опрашиваемых RYN (Шт.)</source>
        <translation>Loop addresses polled by the RYN (pcs)</translation>
    </message>
    <message>
        <source>Значение счётчика, при превышении которого фиксируется потеря связи с АУ вследствие того, что АУ не отвечает (Ед.)</source>
        <translation>Counter above which a unit counts as lost because it does not answer (units)</translation>
    </message>
    <message>
        <source>Значение счётчика, при превышении которого фиксируется потеря связи с АУ вследствие помех в ЛС и ошибок бита чётности (Ед.)</source>
        <translation>Counter above which a unit counts as lost because of loop noise and parity errors (units)</translation>
    </message>
    <message>
        <source>Значение счётчика, при превышении которого фиксируется
 невозможность передачи команды для АУ (Ед.)</source>
        <translation>Counter above which a command counts as
 impossible to pass to a unit (units)</translation>
    </message>
    <message>
        <source>Количество циклов опроса после включения, в течение
 которых данные от АУ не анализируются (Ед.)</source>
        <translation>Polling cycles after power-up during which
 unit data are not analysed (units)</translation>
    </message>
    <message>
        <source>Максимально допустимое сопротивление линии ЛС, при превышении которого будет выдано сообщение о превышении (Ом)</source>
        <translation>Highest permitted loop line resistance; above it a message is raised (Ohm)</translation>
    </message>
    <message>
        <source>Время, которое драйвер ЛС не будет пытаться восстановить ЛС в случае принудительного отключения какого-либо направления (мин)</source>
        <translation>Time during which the loop driver does not try to restore the loop after a direction was switched off on purpose (min)</translation>
    </message>
    <message>
        <source>Максимальное количество ионисторов, которых можно
 поставить на заряд в случае Обрыва или КЗ ЛС (Шт.)</source>
        <translation>Most ionistors that may be put on charge
 on a loop break or short (pcs)</translation>
    </message>
    <message>
        <source>Минимальное напряжение питания RYN (оно же питание ЛС), ниже которого выдаётся сообщение № 78 «ошибка: пониженное напряжение БП» (В)</source>
        <translation>Lowest RYN supply voltage (also the loop supply); below it message No. 78 &quot;error: low PSU voltage&quot; is raised (V)</translation>
    </message>
    <message>
        <source>Величина тока ответа стартового бита, выше которой
 считается двойной адрес (мА)</source>
        <translation>Start bit answer current above which
 a duplicate address is assumed (mA)</translation>
    </message>
    <message>
        <source>Величина тока ответа стартового бита, ниже которой
 считается, что ответ не верен (мА)</source>
        <translation>Start bit answer current below which
 the answer is taken as wrong (mA)</translation>
    </message>
    <message>
        <source>Величина тока ответа бита данных, выше которой
 считается двойной адрес (мА)</source>
        <translation>Data bit answer current above which
 a duplicate address is assumed (mA)</translation>
    </message>
    <message>
        <source>Величина тока ответа бита данных, ниже которой
 считается, что ответ не верен (мА)</source>
        <translation>Data bit answer current below which
 the answer is taken as wrong (mA)</translation>
    </message>
    <message>
        <source>Период времени, через которое драйвер ЛС пытается
 восстановить ЛС после обрыва (с)</source>
        <translation>Period after which the loop driver tries
 to restore the loop after a break (s)</translation>
    </message>
    <message>
        <source>Значение счётчика, при превышении которого формируются события «Внимание», «Пожар по дифканалу», «Пожар» (Ед.)</source>
        <translation>Counter above which the events &quot;Attention&quot;, &quot;Fire by rate of rise&quot; and &quot;Fire&quot; are raised (units)</translation>
    </message>
    <message>
        <source>Количество отсчётов значений температур для инициализации и расчёта начальных значений коэффициентов (Ед.)</source>
        <translation>Temperature samples for initialisation and the initial coefficients (units)</translation>
    </message>
    <message>
        <source>Глубина экспоненциального накопителя ИПТ (Ед.)</source>
        <translation>Depth of the heat detector exponential accumulator (units)</translation>
    </message>
    <message>
        <source>Скорость роста температуры (Ед.)</source>
        <translation>Temperature rise rate (units)</translation>
    </message>
    <message>
        <source>Временное окно, в котором измеряется температура (мс)</source>
        <translation>Time window in which the temperature is measured (ms)</translation>
    </message>
    <message>
        <source>Коэффициент «В» термистора (Ед.)</source>
        <translation>Thermistor &quot;B&quot; coefficient (units)</translation>
    </message>
    <message>
        <source>Количество циклов опроса нахождения АУ в режиме Пуск,
 если кол-во АУ &lt;= 10 (Ед.)</source>
        <translation>Polling cycles a unit stays in Start mode
 with up to 10 units (units)</translation>
    </message>
    <message>
        <source>Количество циклов опроса нахождения АУ в режиме Пуск,
 если 10 &lt; кол-во АУ &lt;= 50 (Ед.)</source>
        <translation>Polling cycles a unit stays in Start mode
 with 11 to 50 units (units)</translation>
    </message>
    <message>
        <source>Количество циклов опроса нахождения АУ в режиме Пуск,
 если 50 &lt; кол-во АУ &lt;= 100 (Ед.)</source>
        <translation>Polling cycles a unit stays in Start mode
 with 51 to 100 units (units)</translation>
    </message>
    <message>
        <source>Количество циклов опроса нахождения АУ в режиме Пуск,
 если кол-во АУ &gt; 100 (Ед.)</source>
        <translation>Polling cycles a unit stays in Start mode
 with more than 100 units (units)</translation>
    </message>
    <message>
        <source>Максимальное напряжение на ионисторах, при превышении которого выдаётся сообщение об ошибке № 165 «Ошибка: ионисторы перезаряжены (напряжение на них превысило 8,1 В)» (В)</source>
        <translation>Highest ionistor voltage; above it error message No. 165 &quot;Error: ionistors overcharged (their voltage exceeded 8.1 V)&quot; is raised (V)</translation>
    </message>
    <message>
        <source>Количество отсчётов значений задымлённости для инициализации и расчёта начальных значений коэффициентов (Ед.)</source>
        <translation>Smoke samples for initialisation and the initial coefficients (units)</translation>
    </message>
    <message>
        <source>Порог пожара ИПД (Ед.)</source>
        <translation>Smoke detector fire threshold (units)</translation>
    </message>
    <message>
        <source>Значение АЦП, при котором считается, что произошла
 продувка ИПД и необходима новая инициализация</source>
        <translation>ADC value at which the smoke detector counts as
 blown through and needs a new initialisation</translation>
    </message>
    <message>
        <source>Значение АЦП критической запыленности
 (работа извещателя еще возможна)</source>
        <translation>ADC value of critical dustiness
 (the detector still works)</translation>
    </message>
    <message>
        <source>Значение АЦП предельной запыленности (извещатель неисправен
 и уже не сможет определить пожар)</source>
        <translation>ADC value of limit dustiness (the detector is faulty
 and can no longer detect a fire)</translation>
    </message>
    <message>
        <source>Максимальное значение счётчика в зоне «Пожар» (Ед.)</source>
        <translation>Highest counter value in the &quot;Fire&quot; zone (units)</translation>
    </message>
    <message>
        <source>Максимальное значение счётчика в зоне «Продувка» (Ед.)</source>
        <translation>Highest counter value in the &quot;Blow-through&quot; zone (units)</translation>
    </message>
    <message>
        <source>Максимальное значение счётчика в зоне «Неисправность» (Ед.)</source>
        <translation>Highest counter value in the &quot;Fault&quot; zone (units)</translation>
    </message>
    <message>
        <source>Значение АЦП, меньше которого фототракт считается неисправным</source>
        <translation>ADC value below which the optical path counts as faulty</translation>
    </message>
    <message>
        <source>Глубина экспоненциального накопителя ИПД (Ед.)</source>
        <translation>Depth of the smoke detector exponential accumulator (units)</translation>
    </message>
    <message>
        <source>Период сохранения данных запылённости в EEPROM (Ед.)</source>
        <translation>Period of saving the dustiness data to EEPROM (units)</translation>
    </message>
    <message>
        <source>Время работы лазера (мин)</source>
        <translation>Laser operating time (min)</translation>
    </message>
    <message>
        <source>Период проверки пиросенсора (мин)</source>
        <translation>Pyrosensor check period (min)</translation>
    </message>
    <message>
        <source>Порог Q1 - верхний порог накопителя сброса R1 (Ед.)</source>
        <translation>Threshold Q1 - upper threshold of reset accumulator R1 (units)</translation>
    </message>
    <message>
        <source>Порог Q2 - верхний порог накопителя сброса R2 (Ед.)</source>
        <translation>Threshold Q2 - upper threshold of reset accumulator R2 (units)</translation>
    </message>
    <message>
        <source>Порог F1 - порог пожара рабочего накопителя S1 (Ед.)</source>
        <translation>Threshold F1 - fire threshold of working accumulator S1 (units)</translation>
    </message>
    <message>
        <source>Порог F2 - нижний порог пожара рабочего накопителя S2 (Ед.)</source>
        <translation>Threshold F2 - lower fire threshold of working accumulator S2 (units)</translation>
    </message>
    <message>
        <source>Порог F3 - верхний порог пожара рабочего накопителя S2 (Ед.)</source>
        <translation>Threshold F3 - upper fire threshold of working accumulator S2 (units)</translation>
    </message>
    <message>
        <source>Максимальный ток в ЛС, до которого ещё возможно
 поставить АУ на заряд (мА)</source>
        <translation>Highest loop current up to which a unit
 may still be put on charge (mA)</translation>
    </message>
    <message>
        <source>
Параметр
</source>
        <translation>
Parameter
</translation>
    </message>
    <message>
        <source>
По умолчанию
</source>
        <translation>
Default
</translation>
    </message>
    <message>
        <source>
Действующее
</source>
        <translation>
In force
</translation>
    </message>
    <message>
        <source>
Установить
</source>
        <translation>
Set
</translation>
    </message>
</context>
<context>
    <name>RynRegisterTexts</name>
    <message>
        <source>Есть</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>RynSelectDialog</name>
    <message>
        <source>Выбор RYN</source>
        <translation>RYN choice</translation>
    </message>
    <message>
        <source>текущий RYN</source>
        <translation>current RYN</translation>
    </message>
    <message>
        <source>все RYN</source>
        <translation>all RYN</translation>
    </message>
    <message>
        <source>RYN с адресами</source>
        <translation>RYN at addresses</translation>
    </message>
    <message>
        <source> с </source>
        <translation> from </translation>
    </message>
    <message>
        <source> по </source>
        <translation> to </translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RynSetupDialog</name>
    <message>
        <source>Параметры RYN</source>
        <translation>RYN parameters</translation>
    </message>
    <message>
        <source>1 мин</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>3 мин</source>
        <translation>3 min</translation>
    </message>
    <message>
        <source>5 мин</source>
        <translation>5 min</translation>
    </message>
    <message>
        <source>10 мин</source>
        <translation>10 min</translation>
    </message>
    <message>
        <source>Всегда</source>
        <translation>Always</translation>
    </message>
    <message>
        <source>Адрес ModBus</source>
        <translation>ModBus address</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Подсветка ЖКИ</source>
        <translation>LCD backlight</translation>
    </message>
    <message>
        <source>Кол-во ионисторов</source>
        <translation>Ionistors</translation>
    </message>
    <message>
        <source>RYN (основные)</source>
        <translation>RYN (basic)</translation>
    </message>
    <message>
        <source>RYN (расширенные)</source>
        <translation>RYN (extended)</translation>
    </message>
    <message>
        <source>Тепловой канал</source>
        <translation>Heat channel</translation>
    </message>
    <message>
        <source>Дымовой канал</source>
        <translation>Smoke channel</translation>
    </message>
    <message>
        <source>Канал пламени</source>
        <translation>Flame channel</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>SelectEncodingDialog</name>
    <message>
        <source>Кодировка</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <source>Ок</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Выберите кодировку:</source>
        <translation>Choose the encoding:</translation>
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
    <name>TcpModbusPort</name>
    <message>
        <source>адрес %1 не найден за %2 мс</source>
        <translation>address %1 not found within %2 ms</translation>
    </message>
    <message>
        <source>адрес %1 не найден</source>
        <translation>address %1 not found</translation>
    </message>
    <message>
        <source>сервер отказал в соединении</source>
        <translation>the server refused the connection</translation>
    </message>
    <message>
        <source>сервер не ответил за %1 мс</source>
        <translation>the server did not answer within %1 ms</translation>
    </message>
    <message>
        <source>сеть недоступна</source>
        <translation>network unreachable</translation>
    </message>
</context>
<context>
    <name>TcpPortName</name>
    <message>
        <source>не указан адрес сервера (tcp://адрес:порт)</source>
        <translation>no server address given (tcp://address:port)</translation>
    </message>
    <message>
        <source>не указан порт сервера (tcp://адрес:порт)</source>
        <translation>no server port given (tcp://address:port)</translation>
    </message>
    <message>
        <source>порт сервера - число от 1 до 65535</source>
        <translation>the server port is a number from 1 to 65535</translation>
    </message>
    <message>
        <source>неверный адрес сервера (адрес IPv6 пишется в скобках: tcp://[::1]:порт)</source>
        <translation>invalid server address (an IPv6 address goes in brackets: tcp://[::1]:port)</translation>
    </message>
</context>
<context>
    <name>TrendCatalogue</name>
    <message>
        <source>Задымлённость</source>
        <translation>Smoke level</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>U ионисторов</source>
        <translation>Ionistor U</translation>
    </message>
    <message>
        <source>U питания ЛО</source>
        <translation>LO supply U</translation>
    </message>
    <message>
        <source>Напряжение сети</source>
        <translation>Mains voltage</translation>
    </message>
    <message>
        <source>R СЛИ</source>
        <translation>Loop R</translation>
    </message>
    <message>
        <source>U питания 24 В</source>
        <translation>24 V supply U</translation>
    </message>
    <message>
        <source>I питания 24 В</source>
        <translation>24 V supply I</translation>
    </message>
    <message>
        <source>U питания 13 В</source>
        <translation>13 V supply U</translation>
    </message>
    <message>
        <source>I питания 13 В</source>
        <translation>13 V supply I</translation>
    </message>
    <message>
        <source>АУ по конфигурации</source>
        <translation>Units configured</translation>
    </message>
    <message>
        <source>АУ в опросе</source>
        <translation>Units polled</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>мА</source>
        <translation>mA</translation>
    </message>
    <message>
        <source>Ом</source>
        <translation>Ohm</translation>
    </message>
</context>
<context>
    <name>TrendCsv</name>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>файл не записан</source>
        <translation>file not written</translation>
    </message>
</context>
<context>
    <name>TrendsWindow</name>
    <message>
        <source>Тренды ...</source>
        <translation>Trends ...</translation>
    </message>
    <message>
        <source>Тренды</source>
        <translation>Trends</translation>
    </message>
    <message>
        <source>Показания</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Следить за новыми</source>
        <translation>Follow new samples</translation>
    </message>
    <message>
        <source>CSV ...</source>
        <translation>CSV ...</translation>
    </message>
    <message>
        <source>PNG ...</source>
        <translation>PNG ...</translation>
    </message>
    <message>
        <source>Печать ...</source>
        <translation>Print ...</translation>
    </message>
    <message>
        <source>Контроллер не выбран</source>
        <translation>No controller selected</translation>
    </message>
    <message>
        <source>У АУ %1 нет показаний для тренда</source>
        <translation>Unit %1 has no readings to trend</translation>
    </message>
    <message>
        <source>RYN %1: %2</source>
        <translation>RYN %1: %2</translation>
    </message>
    <message>
        <source>RYN %1, АУ %2: %3</source>
        <translation>RYN %1, unit %2: %3</translation>
    </message>
    <message>
        <source>потеря связи с %1</source>
        <translation>link lost from %1</translation>
    </message>
    <message>
        <source>нет на линии с %1, записанное сохранено</source>
        <translation>off the line since %1, recorded samples kept</translation>
    </message>
    <message>
        <source>контроллер не опрашивается</source>
        <translation>controller not polled</translation>
    </message>
    <message>
        <source>ед.</source>
        <translation>units</translation>
    </message>
    <message>
        <source>Выберите показания слева</source>
        <translation>Choose readings on the left</translation>
    </message>
    <message>
        <source>Данных пока нет</source>
        <translation>No data yet</translation>
    </message>
    <message>
        <source>Данные с %1 (более старые удалены: память занята)</source>
        <translation>Data since %1 (older samples dropped: memory full)</translation>
    </message>
    <message>
        <source>Данные с %1</source>
        <translation>Data since %1</translation>
    </message>
    <message>
        <source>АУ %1: %2</source>
        <translation>Unit %1: %2</translation>
    </message>
    <message>
        <source>RYN %1</source>
        <translation>RYN %1</translation>
    </message>
    <message>
        <source>Контроллер</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>АУ %1</source>
        <translation>Unit %1</translation>
    </message>
    <message>
        <source>Сохранить тренды</source>
        <translation>Save trends</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Успех!</source>
        <translation>Success!</translation>
    </message>
    <message>
        <source>Тренды сохранены в файл %1</source>
        <translation>Trends saved to file %1</translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: %2</source>
        <translation>Could not save file %1: %2</translation>
    </message>
    <message>
        <source>Сохранить график</source>
        <translation>Save plot</translation>
    </message>
    <message>
        <source>PNG (*.png)</source>
        <translation>PNG (*.png)</translation>
    </message>
    <message>
        <source>График сохранён в файл %1</source>
        <translation>Plot saved to file %1</translation>
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
