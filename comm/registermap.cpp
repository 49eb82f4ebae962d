#include "registermap.h"

#include <array>

namespace RegisterMap {

namespace {

using P = Packing;

// Read code, start, count, packing. Codes 1..3 depend on the version and are handled apart.
constexpr std::array<Block, 65> fixedBlocks{{
    {0, 976, 1, P::None},        {4, 10000, 125, P::Byte},    {5, 10125, 1, P::Byte},
    {6, 10126, 125, P::Byte},    {7, 10251, 125, P::Byte},    {8, 10376, 16, P::Bit},
    {9, 10408, 16, P::Bit},      {10, 10439, 125, P::Byte},   {11, 10564, 125, P::Byte},
    {12, 10689, 63, P::Nibble},  {13, 10784, 125, P::Word},   {14, 10909, 125, P::Word},
    {15, 11034, 125, P::Byte},   {16, 11159, 125, P::Byte},   {17, 11284, 125, P::Byte},
    {18, 11441, 64, P::Nibble},  {19, 11508, 125, P::Word},   {20, 11633, 125, P::Word},
    {21, 11758, 125, P::Word},   {22, 11883, 125, P::Word},   {23, 12008, 63, P::Nibble},
    {24, 12071, 63, P::Nibble},  {25, 12134, 63, P::Nibble},  {26, 12259, 32, P::BitPair},
    {27, 12291, 32, P::BitPair}, {28, 12323, 32, P::BitPair}, {29, 12355, 32, P::BitPair},
    {30, 12387, 125, P::Word},   {31, 12512, 125, P::Word},   {32, 12637, 125, P::Byte},
    {33, 12762, 125, P::Word},   {34, 12887, 125, P::Word},   {35, 13137, 125, P::Byte},
    {36, 13262, 125, P::Byte},   {37, 13387, 125, P::Byte},   {38, 13512, 125, P::Byte},
    {39, 13637, 32, P::BitPair}, {40, 13669, 32, P::BitPair}, {41, 13701, 125, P::Byte},
    {42, 13826, 125, P::Byte},   {43, 14076, 16, P::Bit},     {44, 14092, 32, P::BitPair},
    {45, 14124, 32, P::BitPair}, {46, 14406, 125, P::Word},   {47, 14531, 125, P::Word},
    {48, 14656, 125, P::Word},   {49, 14781, 125, P::Word},   {50, 14906, 63, P::Nibble},
    {51, 14969, 125, P::Word},   {52, 15094, 125, P::Word},   {53, 15219, 125, P::Byte},
    {54, 15344, 125, P::Byte},   {55, 15469, 125, P::Byte},   {56, 15594, 125, P::Byte},
    {57, 15719, 125, P::Byte},   {58, 15844, 125, P::Byte},   {59, 15969, 125, P::Byte},
    {60, 16094, 125, P::Byte},   {100, 5000, 125, P::Byte},   {101, 5125, 16, P::Bit},
    {102, 5237, 125, P::Byte},   {103, 5586, 63, P::Nibble},  {104, 5650, 63, P::Nibble},
    {105, 5713, 63, P::Nibble},  {106, 5776, 16, P::Bit},
}};

constexpr Block constantsSetBlock{107, 6002, 32, P::Word};

} // namespace

bool isShortLayout(quint16 version)
{
    return version < 15;
}

quint16 controllerRegisterCount(quint16 version)
{
    return isShortLayout(version) ? 26 : 28;
}

quint16 defaultConstantsStart(quint16 version)
{
    return isShortLayout(version) ? 1002 : 2002;
}

quint16 currentConstantsStart(quint16 version)
{
    return isShortLayout(version) ? 1102 : 2102;
}

Block readBlock(int code, quint16 version)
{
    switch (code) {
    case 1:
        return {1, controllerBlockStart, controllerRegisterCount(version), P::None};
    case 2:
        return {2, defaultConstantsStart(version), quint16(constantCount), P::None};
    case 3:
        return {3, currentConstantsStart(version), quint16(constantCount), P::None};
    case 107:
        return constantsSetBlock;
    default:
        break;
    }
    for (const Block &block : fixedBlocks) {
        if (block.code == code)
            return block;
    }
    return Block();
}

} // namespace RegisterMap
