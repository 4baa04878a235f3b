// SPDX-License-Identifier: GPL-3.0-or-later
#include "hexagrams.h"

#include <QByteArray>

namespace ching {
namespace {

struct Row {
    const char *lines;  // line 1 first, '1' yang
    const char *rulers; // line 1 first
    const char *title;  // Latin-1 letters
};

// Rows 1..64 in the book's order; row 0 is unused so that the index is the number.
constexpr std::array<Row, 65> kRows{{
    {"", "", ""},
    {"111111", "----G-", " 1. Ch'ien / The Creative"},
    {"000000", "-G----", " 2. K'un / The Receptive"},
    {"100010", "G---G-", " 3. Chun / Difficulty at the Beginning"},
    {"010001", "-G--G-", " 4. M\xeang / Youthful Folly"},
    {"111010", "----G-", " 5. Hs\xfc / Waiting"},
    {"010111", "----G-", " 6. Sung / Conflict"},
    {"010000", "-G--G-", " 7. Shih / The Army"},
    {"000010", "----G-", " 8. Pi / Holding Together"},
    {"111011", "---CG-", " 9. Hsiao Ch'u / Taming Power of the Small"},
    {"110111", "--C-G-", "10. L\xfc / Treading"},
    {"111000", "-G--G-", "11. T'ai / Peace"},
    {"000111", "-C--G-", "12. P'i / Standstill"},
    {"101111", "-G--G-", "13. T'ung J\xean / Fellowship with Men"},
    {"111101", "----G-", "14. Ta Yu / Possession in Great Measure"},
    {"001000", "--G---", "15. Ch'ien / Modesty"},
    {"000100", "---G--", "16. Y\xfc / Enthusiasm"},
    {"100110", "G---G-", "17. Sui / Following"},
    {"011001", "----G-", "18. Ku / Work on what has been spoiled"},
    {"110000", "GG----", "19. Lin / Approach"},
    {"000011", "----GG", "20. Kuan / Contemplation"},
    {"100101", "----G-", "21. Shih Ho / Biting Through"},
    {"101001", "-G---G", "22. Pi / Grace"},
    {"000001", "-----G", "23. Po / Splitting Apart"},
    {"100000", "G-----", "24. Fu / Return"},
    {"100111", "G---G-", "25. Wu Wang / Innocence"},
    {"111001", "----GG", "26. Ta Ch'u / The Taming Power of the Great"},
    {"100001", "----GG", "27. I / Corners of the Mouth"},
    {"011110", "-G-G--", "28. Ta Kuo / Preponderance of the Great"},
    {"010010", "-G--G-", "29. K'an / The Abysmal"},
    {"101101", "-G--G-", "30. Li / The Clinging, Fire"},
    {"001110", "---GG-", "31. Hsien / Influence"},
    {"011100", "-G----", "32. H\xeang / Duration"},
    {"001111", "CC--G-", "33. Tun / Retreat"},
    {"111100", "---G--", "34. Ta Chuang / The Power of the Great"},
    {"000101", "----G-", "35. Chin / Progress"},
    {"101000", "-G--GC", "36. Ming I / Darkening of the light"},
    {"101011", "-G--G-", "37. Chia J\xean / The Family"},
    {"110101", "-G--G-", "38. K'uei / Opposition"},
    {"001010", "----G-", "39. Chien / Obstruction"},
    {"010100", "-G--G-", "40. Hsieh / Deliverance"},
    {"110001", "--C-GC", "41. Sun / Decrease"},
    {"100011", "CG-CG-", "42. I / Increase"},
    {"111110", "----GC", "43. Kuai / Break-through"},
    {"011111", "CG--G-", "44. Kou / Coming to Meet"},
    {"000110", "---GG-", "45. Ts'ui / Gathering Together"},
    {"011000", "C---G-", "46. Sh\xeang / Pushing Upward"},
    {"010110", "-G--G-", "47. K'un / Oppression"},
    {"011010", "----G-", "48. Ching / The Well"},
    {"101110", "----G-", "49. Ko / Revolution"},
    {"011101", "----GG", "50. Ting / The Caldron"},
    {"100100", "G-----", "51. Ch\xean / The Arousing"},
    {"001001", "-----G", "52. K\xean / Keeping Still, Mountain"},
    {"001011", "-G--G-", "53. Chien / Development"},
    {"110100", "--C-GC", "54. Kuei Mei / The Marrying Maiden"},
    {"101100", "----G-", "55. F\xeang / Abundance"},
    {"001101", "----G-", "56. L\xfc / The Wanderer"},
    {"011011", "C--CG-", "57. Sun / The Gentle"},
    {"110110", "-GC-GC", "58. Tui / The Joyous, Lake"},
    {"010011", "-C-CG-", "59. Huan / Dispersion"},
    {"110010", "----G-", "60. Chieh / Limitation"},
    {"110011", "--CCG-", "61. Chung Fu / Inner Truth"},
    {"001100", "-G--G-", "62. Hsiao Kuo / Preponderance of the Small"},
    {"101010", "-G----", "63. Chi Chi / After Completion"},
    {"010101", "----G-", "64. Wei Chi / Before Completion"},
}};

constexpr std::array<const char *, 7> kLineSuffixes{
    "",
    " at the beginning means:</I><p>",
    " in the second place means:</I><p>",
    " in the third place means:</I><p>",
    " in the fourth place means:</I><p>",
    " in the fifth place means:</I><p>",
    " at the top means:</I><p>",
};

std::array<LineBits, 65> buildPatterns()
{
    std::array<LineBits, 65> patterns{};
    for (int n = 1; n <= kHexagramCount; ++n)
        for (int i = 0; i < 6; ++i)
            patterns[n][i] = kRows[n].lines[i] == '1' ? 1 : 0;
    return patterns;
}

const std::array<LineBits, 65> &patterns()
{
    static const std::array<LineBits, 65> table = buildPatterns();
    return table;
}

} // namespace

const LineBits &hexPattern(int n)
{
    return patterns()[n >= 1 && n <= kHexagramCount ? n : 0];
}

const char *rulerMarks(int n)
{
    return kRows[n >= 1 && n <= kHexagramCount ? n : 0].rulers;
}

const char *lineSuffix(int line)
{
    return kLineSuffixes[line >= 1 && line <= 6 ? line : 0];
}

const QStringList &titulos()
{
    static const QStringList titles = [] {
        QStringList list;
        list.reserve(kPageCount);
        list << QStringLiteral("Introduction");
        for (int n = 1; n <= kHexagramCount; ++n)
            list << QString::fromLatin1(kRows[n].title);
        list << QStringLiteral("Trigram's Table") << QStringLiteral("Appendixes");
        return list;
    }();
    return titles;
}

int hexagramNumber(const LineBits &lines)
{
    const auto &table = patterns();
    for (int n = 1; n <= kHexagramCount; ++n)
        if (table[n] == lines)
            return n;
    return kNoHexagram;
}

int hexamuta(int h, int line)
{
    LineBits lines = hexPattern(h);
    if (line >= 1 && line <= 6)
        lines[line - 1] = uint8_t(1 - lines[line - 1]);
    return hexagramNumber(lines);
}

QString numToNom(int n)
{
    return (n < 10 ? QStringLiteral("0") : QString()) + QString::number(n) + QStringLiteral(".txt");
}

} // namespace ching
