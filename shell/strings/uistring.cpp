// SPDX-License-Identifier: GPL-3.0-or-later
#include "uistring.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace ching {
namespace {

struct Entry {
    StringId id;
    std::string_view text; // Windows ANSI; blanks at either end are part of the text
};

// Sorted by id. Texts are joined with other pieces by their callers, so leading and trailing
// blanks, "&&" (a caption's literal ampersand) and the carriage return of 92 are significant.
constexpr Entry kStrings[] = {
    {1, "Velmora I Ching"},
    {2, "Consult Oracle"},
    {3, "Consult yarrow-stalk Oracle"},
    {4, "Open Oracle Answers"},
    {5, "Save Oracle Answer"},
    {6, "Exit"},
    {7, "Text Font && Size"},
    {8, "Search text in all hexagrams"},
    {9, "Show/Hide Oracle pane"},
    {10, "Print current hexagram/page"},
    {11, "Back to previous location"},
    {12, "Show/Hide the index"},
    {13, "Search text"},
    {14, "Search text in current page"},
    {15, "Cancel"},
    {16, "Type the word(s) you want to find"},
    {17, " Match case"},
    {18, "Find"},
    {19, "Next"},
    {20, "Not found"},
    {21, "3 steps for each line"},
    {22, "Write your question and press ENTER"},
    {23, "Please wait a moment"},
    {24, "Click on the stalks to divide them. Move the cursor a bit around on the stalks before each click."},
    {25, "New yarrow-stalk Oracle"},
    {26, "Click to read the hexagram"},
    {27, "Click to read the second hexagram"},
    {31, "Book of Changes"},
    {32, "For best display of this program you need increase the color depth of your display adapter to more than 256 colors."},
    {33, "I Ching Help"},
    {34, "Jump to line #"},
    {35, "Hexagram number:"},
    {36, "Go to"},
    {37, "Hexagram Index"},
    {38, "Press ESC to close this text box"},
    {39, "Write hex. # and press Enter"},
    {46, "Please enter password:"},
    {47, "Security"},
    {48, "Throw the coins other time"},
    {49, "Processing line "},
    {50, "Line "},
    {51, "Write your question and throw the coins six times"},
    {52, "You can't open the "},
    {53, " file of an invalid program."},
    {54, " must be terminated."},
    {55, "Text not found"},
    {56, "Searching: "},
    {57, "Search your questions"},
    {58, "Print"},
    {59, "Analyze Answers"},
    {60, "Control Panel..."},
    {61, "New Coins Oracle"},
    {62, "The yarrow-stalk method generates more ying lines in the second hexagram"},
    {63, "View Hexagram"},
    {64, "Password"},
    {65, "First"},
    {66, "Last"},
    {67, "Previous"},
    {68, "Next"},
    {69, "Add"},
    {70, "Delete/Undelete"},
    {71, "Enabled/Disable the Automatic View"},
    {72, "Analyze Answers"},
    {73, "Hexagram's sorting method"},
    {74, "Please select the installation directory"},
    {75, "Velmora I Ching was successful installed."},
    {76, "The Installation has failed!"},
    {77, "The file "},
    {78, " isn't founded. The installation must be canceled!"},
    {79, "Uninstall realized succesfully"},
    {80, "Velmora I Ching Uninstaller"},
    {81, "Only the underlined lines (if any) must be considered.<p>"},
    {82, "<H3>THE JUDGMENT</H3><dir>"},
    {83, "<H3>THE IMAGE</H3><dir>"},
    {84, "<H3>THE LINES</H3>"},
    {85, "<A HREF=\"02@\"><I><A NAME=\"7\">When all the lines  are nines, it means:</I></A><p><dir>"},
    {86, "<A HREF=\"01@\"><I><A NAME=\"7\">When all the lines  are sixes, it means:</I></A><p><dir>"},
    {87, "Back (disabled for now)"},
    {88, "<img src=\"line1.bmp\" HEIGHT=8 WIDTH="},
    {89, "<table border=0 width=100%><tr><td width=10% align=center valign=top><b><font size=+2>"},
    {90, "<font color=maroon face=Arial>"},
    {91, "<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;<p>&nbsp;"},
    {92, "The file DATA1.HHZ isn't founded. Velmora I Ching must be terminated!\rPlease reinstall the program."},
    {93, "Minimize"},
    {94, "Restore"},
    {95, "Maximize"},
    {96, "Close (Esc)"},
    {97, "Velmora I Ching Setup"},
    {98, "Velmora I Ching Uninstall"},
    {99, "Please write your question before throwing the coins"},
    {200, "FontName"},
    {201, "Password"},
    {202, "ViewAuto"},
    {203, "Color1"},
    {204, "Color2"},
    {205, "PlaySound"},
    {206, "FontSize"},
    {207, "Software\\Velmora\\"},
    {208, "Software\\Velmora\\Ching"},
    {209, "Ching"},
    {210, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"},
    {211, "ching.EXE"},
    {212, "DATA1.HHZ"},
    {213, "SETUP.EXE"},
    {214, "STDelay"},
    {215, "CDelay"},
    {216, "sortes.dll"},
    {300, "Fatal error (can't create SkinDir, may be Velmora I Ching is running from a CD-ROM). Velmora I Ching must be terminated!"},
};

constexpr bool sortedById()
{
    for (size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    return true;
}
static_assert(sortedById(), "the table is searched by bisection");

constexpr size_t kMaxTextLength = 255; // the 256-byte buffer the texts are read into

} // namespace

QString uiString(StringId id)
{
    const auto *end = std::end(kStrings);
    const auto *it = std::lower_bound(std::begin(kStrings), end, id,
                                      [](const Entry &e, StringId wanted) { return e.id < wanted; });
    if (it == end || it->id != id)
        return {};
    const std::string_view text = it->text.substr(0, kMaxTextLength);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace ching
