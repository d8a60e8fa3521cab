// The RGB control's rules that need no window: linked offsets, the numeric
// edits' keys, how offsets and gains enter a description, the white-balance gains.
#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>

#include "zamgrb.h"

namespace rgbcontrol {

enum Colour : int { kRed = 0, kGreen = 1, kBlue = 2 };
using Offsets = std::array<int, 3>;  // red, green, blue
using Triple = std::array<double, 3>;

inline constexpr int kOffsetMin = -128, kOffsetMax = 127;

// The differences red - green, red - blue and green - blue kept while linked.
struct LinkDifferences {
    int redGreen = 0, redBlue = 0, greenBlue = 0;
};
LinkDifferences DifferencesOf(const Offsets& offsets);

// The offsets after colour `moved` took `value`: the other two follow the
// differences when linked, and stay otherwise. Linked values may leave -128..127.
Offsets MoveOffset(Offsets offsets, Colour moved, int value, bool linked, const LinkDifferences& d);

// Whether a numeric edit takes a typed character: digits, the point, Backspace,
// and a minus only into an empty edit or at its start.
bool AcceptsCharacter(QChar c, bool editEmpty, int caret);

// The leading decimal number of a text, as the C library reads it but whatever the
// user's locale (the point is the decimal separator); 0 without one.
double LeadingDecimal(const QString& text);

// Offsets beyond -128..127 are brought to the nearest end when they enter the
// description's signed bytes; the edits keep what was typed.
int8_t OffsetByte(int offset);

// Writes the three offsets and gains into a description.
void ApplyTo(CameraDescription& description, const Offsets& offsets, const Triple& gains);

// The gain a description stores, as the dialog shows it: 0 stands for "not set",
// which converts as 1.0.
double ShownGain(double stored);

// White-balance gains from the three channel means: the largest mean over each
// channel's mean. A channel without light (mean 0) keeps its previous gain rather
// than an infinite one.
Triple BalanceGains(const Triple& means, const Triple& previous);

// "Mean RGB = {r, g, b}" with the means truncated to 16 bits.
QString MeanText(const Triple& means);

}  // namespace rgbcontrol
