#include "rynparamsmodel.h"

#include <QColor>

namespace {

enum class Part
{
    Low,  // low byte of a byte pair
    High, // high byte of a byte pair
    Word, // the whole word
};

enum class Scale
{
    None,
    Supply,   // volts: word x 0.007
    Current,  // milliamperes: word / 62.5
    Ionistor, // volts: word / 51
};

struct Constant
{
    uint regAddr;
    Part part;
    Scale scale;
    const char *caption;
};

// Every constant in force, by register; the defaults have the same layout 100 registers lower.
const Constant constants[] = {
    {1102, Part::Low, Scale::None, QT_TRANSLATE_NOOP("RynParamsModel", "Адрес ModBus")},
    {1102, Part::High, Scale::None, QT_TRANSLATE_NOOP("RynParamsModel", "Язык интерфейса")},
    {1103, Part::Low, Scale::None, QT_TRANSLATE_NOOP("RynParamsModel", "Время работы подсветки ЖКИ (мин)")},
    {1103, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Кол-во АУ, разрешённых к одновременному заряду (Шт.)")},
    {1104, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Продолжительность «холодного» старта (с)")},
    {1104, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Количество адресов в ЛС, опрашиваемых RYN (Шт.)")},
    {1105, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Значение счётчика, при превышении которого фиксируется потеря "
                                         "связи с АУ вследствие того, что АУ не отвечает (Ед.)")},
    {1105, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Значение счётчика, при превышении которого фиксируется потеря "
                                         "связи с АУ вследствие помех в ЛС и ошибок бита чётности (Ед.)")},
    {1106, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Значение счётчика, при превышении которого фиксируется\n "
                                         "невозможность передачи команды для АУ (Ед.)")},
    {1106, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Количество циклов опроса после включения, в течение\n которых "
                                         "данные от АУ не анализируются (Ед.)")},
    {1107, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Максимально допустимое сопротивление линии ЛС, при превышении "
                                         "которого будет выдано сообщение о превышении (Ом)")},
    {1107, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Время, которое драйвер ЛС не будет пытаться восстановить ЛС в "
                                         "случае принудительного отключения какого-либо направления (мин)")},
    {1108, Part::Word, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Максимальное количество ионисторов, которых можно\n поставить на "
                                         "заряд в случае Обрыва или КЗ ЛС (Шт.)")},
    {1109, Part::Word, Scale::Supply,
     QT_TRANSLATE_NOOP("RynParamsModel",
                       "Минимальное напряжение питания RYN (оно же питание ЛС), ниже которого выдаётся "
                       "сообщение № 78 «ошибка: пониженное напряжение БП» (В)")},
    {1110, Part::Word, Scale::Current,
     QT_TRANSLATE_NOOP("RynParamsModel",
                       "Величина тока ответа стартового бита, выше которой\n считается двойной адрес (мА)")},
    {1111, Part::Word, Scale::Current,
     QT_TRANSLATE_NOOP(
         "RynParamsModel",
         "Величина тока ответа стартового бита, ниже которой\n считается, что ответ не верен (мА)")},
    {1112, Part::Word, Scale::Current,
     QT_TRANSLATE_NOOP("RynParamsModel",
                       "Величина тока ответа бита данных, выше которой\n считается двойной адрес (мА)")},
    {1113, Part::Word, Scale::Current,
     QT_TRANSLATE_NOOP(
         "RynParamsModel",
         "Величина тока ответа бита данных, ниже которой\n считается, что ответ не верен (мА)")},
    {1114, Part::Word, Scale::None,
     QT_TRANSLATE_NOOP(
         "RynParamsModel",
         "Период времени, через которое драйвер ЛС пытается\n восстановить ЛС после обрыва (с)")},
    {1115, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Значение счётчика, при превышении которого формируются события "
                                         "«Внимание», «Пожар по дифканалу», «Пожар» (Ед.)")},
    {1115, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Количество отсчётов значений температур для инициализации и "
                                         "расчёта начальных значений коэффициентов (Ед.)")},
    {1116, Part::Word, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Глубина экспоненциального накопителя ИПТ (Ед.)")},
    {1117, Part::Word, Scale::None, QT_TRANSLATE_NOOP("RynParamsModel", "Скорость роста температуры (Ед.)")},
    {1118, Part::Word, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Временное окно, в котором измеряется температура (мс)")},
    {1119, Part::Word, Scale::None, QT_TRANSLATE_NOOP("RynParamsModel", "Коэффициент «В» термистора (Ед.)")},
    {1120, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel",
                       "Количество циклов опроса нахождения АУ в режиме Пуск,\n если кол-во АУ <= 10 (Ед.)")},
    {1120, Part::High, Scale::None,
     QT_TRANSLATE_NOOP(
         "RynParamsModel",
         "Количество циклов опроса нахождения АУ в режиме Пуск,\n если 10 < кол-во АУ <= 50 (Ед.)")},
    {1121, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP(
         "RynParamsModel",
         "Количество циклов опроса нахождения АУ в режиме Пуск,\n если 50 < кол-во АУ <= 100 (Ед.)")},
    {1121, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel",
                       "Количество циклов опроса нахождения АУ в режиме Пуск,\n если кол-во АУ > 100 (Ед.)")},
    {1122, Part::Word, Scale::Ionistor,
     QT_TRANSLATE_NOOP(
         "RynParamsModel",
         "Максимальное напряжение на ионисторах, при превышении которого выдаётся сообщение об ошибке № 165 "
         "«Ошибка: ионисторы перезаряжены (напряжение на них превысило 8,1 В)» (В)")},
    {1123, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Количество отсчётов значений задымлённости для инициализации и "
                                         "расчёта начальных значений коэффициентов (Ед.)")},
    {1123, Part::High, Scale::None, QT_TRANSLATE_NOOP("RynParamsModel", "Порог пожара ИПД (Ед.)")},
    {1124, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Значение АЦП, при котором считается, что произошла\n продувка ИПД "
                                         "и необходима новая инициализация")},
    {1124, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel",
                       "Значение АЦП критической запыленности\n (работа извещателя еще возможна)")},
    {1125, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP(
         "RynParamsModel",
         "Значение АЦП предельной запыленности (извещатель неисправен\n и уже не сможет определить пожар)")},
    {1125, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Максимальное значение счётчика в зоне «Пожар» (Ед.)")},
    {1126, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Максимальное значение счётчика в зоне «Продувка» (Ед.)")},
    {1126, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Максимальное значение счётчика в зоне «Неисправность» (Ед.)")},
    {1127, Part::Word, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Значение АЦП, меньше которого фототракт считается неисправным")},
    {1128, Part::Word, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Глубина экспоненциального накопителя ИПД (Ед.)")},
    {1129, Part::Word, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Период сохранения данных запылённости в EEPROM (Ед.)")},
    {1130, Part::Low, Scale::None, QT_TRANSLATE_NOOP("RynParamsModel", "Время работы лазера (мин)")},
    {1130, Part::High, Scale::None, QT_TRANSLATE_NOOP("RynParamsModel", "Период проверки пиросенсора (мин)")},
    {1131, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Порог Q1 - верхний порог накопителя сброса R1 (Ед.)")},
    {1131, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Порог Q2 - верхний порог накопителя сброса R2 (Ед.)")},
    {1132, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Порог F1 - порог пожара рабочего накопителя S1 (Ед.)")},
    {1132, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Порог F2 - нижний порог пожара рабочего накопителя S2 (Ед.)")},
    {1133, Part::Low, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel", "Порог F3 - верхний порог пожара рабочего накопителя S2 (Ед.)")},
    {1133, Part::High, Scale::None,
     QT_TRANSLATE_NOOP("RynParamsModel",
                       "Максимальный ток в ЛС, до которого ещё возможно\n поставить АУ на заряд (мА)")},
};

QVariant scaled(quint16 word, Scale scale)
{
    switch (scale) {
    case Scale::Supply:
        return word * 0.007;
    case Scale::Current:
        return word / 62.5;
    case Scale::Ionistor:
        return word / 51.0;
    case Scale::None:
        break;
    }
    return uint(word);
}

constexpr uint firstCurrent = RegisterMap::currentConstantsLogical;
constexpr uint lastCurrent = firstCurrent + RegisterMap::constantCount - 1;
constexpr uint defaultOffset = RegisterMap::currentConstantsLogical - RegisterMap::defaultConstantsLogical;

quint32 rowKey(uint regAddr, int part)
{
    return quint32(regAddr << 1 | uint(part));
}

} // namespace

RynParamsModel::RynParamsModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

int RynParamsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_params.size();
}

int RynParamsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

int RynParamsModel::groupOf(uint regAddr, int part)
{
    if (regAddr <= 1103)
        return 0;
    if (regAddr == 1133)
        return part == 1 ? 1 : 4;
    if (regAddr >= 1115 && regAddr <= 1119)
        return 2;
    if (regAddr >= 1123 && regAddr <= 1129)
        return 3;
    if (regAddr >= 1130)
        return 4;
    return 1;
}

QVariant RynParamsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_params.size())
        return QVariant();
    const RynParam &param = m_params.at(index.row());
    const int column = index.column();
    const QVariant &value = column == ColumnDefault   ? param.defaultValue
                            : column == ColumnCurrent ? param.currentValue
                                                      : param.setValue;
    switch (role) {
    case Qt::DisplayRole:
        if (column == ColumnName)
            return param.name;
        if (value.userType() == QMetaType::Double)
            return QString::number(value.toDouble(), 'f', 1);
        return value;
    case Qt::TextAlignmentRole:
        if (column != ColumnName)
            return int(Qt::AlignCenter);
        return QVariant();
    case Qt::BackgroundRole:
        // A default not yet read says nothing about the value in force.
        if ((column == ColumnCurrent || column == ColumnSet) && value.isValid() &&
            param.defaultValue.isValid() && value != param.defaultValue)
            return QColor(Qt::yellow);
        return QVariant();
    case GroupRole:
        return groupOf(param.regAddr, param.part);
    default:
        return QVariant();
    }
}

QVariant RynParamsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ColumnName:
        return tr("\nПараметр\n");
    case ColumnDefault:
        return tr("\nПо умолчанию\n");
    case ColumnCurrent:
        return tr("\nДействующее\n");
    case ColumnSet:
        return tr("\nУстановить\n");
    default:
        return QVariant();
    }
}

void RynParamsModel::slotRynConstantsUpdated(RynRegisterAddress regAddr, ushort regWord, bool isDefault)
{
    const uint current = uint(regAddr) + (isDefault ? defaultOffset : 0);
    if (regAddr < 0 || current < firstCurrent || current > lastCurrent)
        return;
    for (const Constant &constant : constants) {
        if (constant.regAddr != current)
            continue;
        switch (constant.part) {
        case Part::Low:
            store(current, 0, constant.caption, uint(regWord & 0xFF), isDefault);
            break;
        case Part::High:
            store(current, 1, constant.caption, uint(regWord >> 8), isDefault);
            break;
        case Part::Word:
            store(current, 0, constant.caption, scaled(regWord, constant.scale), isDefault);
            break;
        }
    }
}

void RynParamsModel::store(uint regAddr, int part, const char *caption, const QVariant &value, bool isDefault)
{
    const auto found = m_rows.constFind(rowKey(regAddr, part));
    if (found == m_rows.constEnd()) {
        RynParam param;
        param.regAddr = regAddr;
        param.part = part;
        param.name = QLatin1Char('\n') + tr(caption) + QLatin1Char('\n');
        (isDefault ? param.defaultValue : param.currentValue) = value;
        const int row = m_params.size();
        beginInsertRows(QModelIndex(), row, row);
        m_params.append(param);
        m_rows.insert(rowKey(regAddr, part), row);
        endInsertRows();
        return;
    }
    const int row = found.value();
    RynParam &param = m_params[row];
    (isDefault ? param.defaultValue : param.currentValue) = value;
    // A new default can change whether the values in force are marked.
    if (isDefault)
        emit dataChanged(index(row, ColumnDefault), index(row, ColumnSet));
    else
        emit dataChanged(index(row, ColumnCurrent), index(row, ColumnCurrent));
}

void RynParamsModel::slotClearSetValues()
{
    for (int row = 0; row < m_params.size(); ++row) {
        RynParam &param = m_params[row];
        param.setValue.clear();
        emit dataChanged(index(row, ColumnSet), index(row, ColumnSet));
        if (param.regAddr == 1102 || param.regAddr == 1103)
            emit dataChanged(index(row, ColumnCurrent), index(row, ColumnCurrent));
    }
}
