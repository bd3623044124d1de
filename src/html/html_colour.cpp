#include "html/html_colour.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace html {
namespace {

struct Components {
  int red, green, blue;
};

Components split(int colour) {
  return {colour & 255, (colour / 256) & 255, (colour / 65536) & 255};
}

// Round half to even, whatever rounding mode someone else left the floating point unit in.
int roundEven(double value) {
  const double down = std::floor(value);
  const double fraction = value - down;
  if (fraction > 0.5) return int(down) + 1;
  if (fraction < 0.5) return int(down);
  return std::fmod(down, 2.0) == 0 ? int(down) : int(down) + 1;
}

double step(int from, int to, int count) {
  const double size = double(std::abs(from - to)) / count;
  return to < from ? -size : size;
}

// How many code units the character at `i` takes: a surrogate pair and a CR LF are one
// character each, so no tag splits one. A CR and an LF in tags of their own would each become
// a whole line break in the editor, doubling every line break of the text.
qsizetype widthAt(QStringView view, qsizetype i) {
  if (i + 1 >= view.size()) return 1;
  if (view[i].isHighSurrogate() && view[i + 1].isLowSurrogate()) return 2;
  if (view[i] == u'\r' && view[i + 1] == u'\n') return 2;
  return 1;
}

std::vector<QStringView> characters(const QString& text) {
  std::vector<QStringView> result;
  result.reserve(size_t(text.size()));
  const QStringView view(text);
  for (qsizetype i = 0; i < view.size();) {
    const qsizetype width = widthAt(view, i);
    result.push_back(view.mid(i, width));
    i += width;
  }
  return result;
}

}  // namespace

int WindowsColour(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return rgb.red() + 256 * rgb.green() + 65536 * rgb.blue();
}

QString ColorToHtml(int colour) {
  const QString hex =
      QStringLiteral("%1").arg(unsigned(colour) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
  return hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}

QString TextGradient(const QString& text, int startColour, int endColour) {
  const std::vector<QStringView> chars = characters(text);
  if (chars.empty()) return QString();
  const int n = int(chars.size());
  const Components a = split(startColour);
  const Components b = split(endColour);
  const double dRed = step(a.red, b.red, n);
  const double dGreen = step(a.green, b.green, n);
  // The blue step has always been kept in single precision; it decides ties in the blue.
  const float dBlue = float(step(a.blue, b.blue, n));
  QString result;
  result.reserve(text.size() * 28);
  for (int i = 1; i <= n; ++i) {
    const int red = roundEven(a.red + i * dRed);
    const int green = roundEven(a.green + i * dGreen);
    const int blue = roundEven(a.blue + i * double(dBlue));
    result += QLatin1String("<FONT COLOR=") + ColorToHtml(red + 256 * green + 65536 * blue) +
              QLatin1Char('>');
    result += chars[size_t(i - 1)];
    result += QLatin1String("</FONT>");
  }
  return result;
}

}  // namespace html
