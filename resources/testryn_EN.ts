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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В3:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В4:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Р3:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Р4:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Р1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Р2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>З1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>З2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> В</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тз=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Р=</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AuInfoWidget</name>
    <message>
        <source>Общее состояние</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Состояние ионисторов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задымлённость</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Свойства АУ</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AuLegendWidget</name>
    <message>
        <source>Информация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Полная</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Т / задымл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U ионисторов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>задымлённость</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Масштаб</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Перенос
 строк</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>норма</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>потеря связи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неиспр. АУ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неверн. тип</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>пожар</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>вскрытие</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>блокировка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>скрыто</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>двойн. адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>адр. не сконф.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>разряжен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>треб. заряд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>перезаряд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неисправен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>не определ.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>крит. запыл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>пред. запыл.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EvDescDialog</name>
    <message>
        <source>Описание события</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Код события:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменить цвет шрифта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменить цвет фона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Событие:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отображать дополнительное описание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Префикс:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Постфикс:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заменить значение (число) на описание:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Значение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Описание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Добавить описание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменить описание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить описание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер события не должен быть &apos;0&apos;!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EvDescListDialog</name>
    <message>
        <source>Редактирование описания событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Добавить описание события</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Редактировать описание события</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить описание события</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задать версию файла событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить описания</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Описание события</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Список событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось сохранить описания событий!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменения не сохранены!
Все равно выйти?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Есть изменения - не забудьте сохранить!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EvFilterDialog</name>
    <message>
        <source>Фильтр событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор RYN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес RYN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор АУ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес АУ:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор события</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Код события:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ввод</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventsModel</name>
    <message>
        <source>Дата</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер входа</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес АУ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Код</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Доп. параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Описание</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventsWidget</name>
    <message>
        <source>Дата формирования отчёта: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фильтр по событиям:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фиксация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Индикатор чтения описания событий: зеленый - норма, красный - ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Индикатор превышения количества событий: белый - нет превышения, желтый - есть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить список событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить отфильтрованные события в файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес RYN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес АУ:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Код события:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Будут удалены все события, не только отфильтрованные!
Продолжить?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить события</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успех!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>События успешно сохранены!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось сохранить события!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Событий: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия описания событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>не установлен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>адрес RYN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>адрес АУ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>код события</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HardTypes</name>
    <message>
        <source>ИПР</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПТ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПТ-И</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПД</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПП</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПП-И</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>УДП</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vexa2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vexa4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zirn2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zirn4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vexa2Р2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vexa2З</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dulo-A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dulo-B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fenk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pona-A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pona-B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pona-C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pona-D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pona-E</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПД/Т</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПД/Т-И</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RYN</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Тест RYN</source>
        <translation>RYN Test</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поиск RYN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПТ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПД</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПД/Т</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПП</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИПР/УДП</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fenk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vexa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zirn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vexa2Р2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dulo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все типы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фильтрация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прием событий:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>от всех RYN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>от тек. RYN</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Двойной адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибки приёма</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не отвечает</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неверн. тип</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частично разряж.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разряжены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неисправны</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не определено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Перезаряд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Критическая</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Предельная</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вскрытие</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неисправность</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нагрев</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обрыв</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>КЗ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разомкнут</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>р</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Замкнут</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>з</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>о</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>к</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обрыв или КЗ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>н</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Промежуточное пол.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>п</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задвижка закрыта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задвижка открыта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прямое</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>П</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прям. с миганием</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ПМ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обратное</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>О</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обр. с миганием</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ОМ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Исправен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неисправен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пониженное</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не нажата</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нажата</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Закрыта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>м</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>мд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
