#!/usr/bin/env python3
"""Builds the letter-pair model the code-page detector scores with.

Reads Russian text: the HTML pages of the Debian packages gimp-help-ru and libreoffice-help-ru,
the Russian message catalogues of the programs named in CATALOGUES (where installed) and the stems
of the hunspell-ru dictionary. Counts pairs of character classes (the 33 Russian letters
case-folded, word boundaries, punctuation, digits, Latin letters and the kinds of characters a
wrong code page produces) and letter case in context, and writes src/text/code_page_model.inc:
log-probability tables plus, for each of the five code pages, the class, case and kind of every
byte.

    apt-get install -y gimp-help-ru libreoffice-help-ru hunspell-ru
    python3 tools/gen_code_page_model.py [--out FILE] [--holdout-out FILE]

Every tenth page and catalogue (by sorted name) is held out of the counts; --holdout-out writes
their text for tuning, so the counts never see the text the parameters are tuned on. The
detector is measured on other text again: tools/prepare_check_corpus.py, tools/detect_accuracy.
"""

import argparse
import gettext
import glob
import html
import math
import os
import re
import sys
import unicodedata

# Code-page numbers of the program and the codecs that define them.
CODECS = [(1, "cp1251"), (2, "cp866"), (3, "koi8_r"), (4, "mac_cyrillic"), (5, "iso8859_5")]

RUSSIAN = "абвгдежзийклмнопрстуфхцчшщъыьэюяё"
# Classes after the 33 letters. Order is the table order in C++.
# Typographic characters each have a class of their own: how often each follows a letter or a
# space is what tells a code page's symbols from another one's capital letters.
TYPOGRAPHIC = "«»„“”‘’‚‹›–—…№•·§°©®™€¤±†‡‰"
OTHER_CLASSES = (["space", "punct", "digit", "latin"] + list(TYPOGRAPHIC)
                 + ["nbsp", "dash", "cyrillic", "box", "rare", "control", "foreign"])
CLASS_NAMES = list(RUSSIAN) + OTHER_CLASSES
CLASS = {name: i for i, name in enumerate(CLASS_NAMES)}
CASE_NONE, CASE_LOWER, CASE_UPPER = 0, 1, 2

DASHES = "‐‑‒―"
RARE = "√≈≤≥÷²≠∞∆ƒ¬µ¶¦\u00ad∂∑∏π∫Ω"
BOX_EXTRA = "■⌠⌡∙"

# Scores are log2-probabilities times this, rounded: integers keep equal decodings exactly equal.
SCALE = 16
# Smoothing of the pair counts: each row gets this many counts spread like the classes' overall
# frequencies, so a row seen rarely (a rare symbol) predicts what text predicts on the whole, not
# every class alike, and a pair never seen costs in proportion to how common its second class is.
BETA = 100.0


def classify(ch):
    """Class index and case of one character."""
    low = ch.lower()
    case = CASE_NONE
    if ch.isalpha():
        case = CASE_UPPER if ch != low else CASE_LOWER
    if low in RUSSIAN:
        return CLASS[low], case
    # A no-break space stands between words, never beside another blank: a class of its own.
    if ch == "\u00a0":
        return CLASS["nbsp"], CASE_NONE
    # Only real blanks: Python counts the separator controls 1C..1F and 85 as spaces too.
    if ch in " \t\n\r\v\f" or unicodedata.category(ch) == "Zs":
        return CLASS["space"], CASE_NONE
    if ch.isascii():
        if ch.isdigit():
            return CLASS["digit"], CASE_NONE
        if ch.isalpha():
            return CLASS["latin"], case
        if ord(ch) < 32 or ord(ch) == 127:
            return CLASS["control"], CASE_NONE
        return CLASS["punct"], CASE_NONE
    if ch in TYPOGRAPHIC:
        return CLASS[ch], CASE_NONE
    if ch in DASHES:
        return CLASS["dash"], CASE_NONE
    if ch in RARE:
        return CLASS["rare"], CASE_NONE
    if "\u2500" <= ch <= "\u259f" or ch in BOX_EXTRA:
        return CLASS["box"], CASE_NONE
    category = unicodedata.category(ch)
    if category.startswith("C"):
        return CLASS["control"], CASE_NONE
    if ch.isalpha() and "\u0400" <= ch <= "\u04ff":
        return CLASS["cyrillic"], case
    if ch.isalpha() and "LATIN" in unicodedata.name(ch, ""):
        return CLASS["latin"], case
    return CLASS["foreign"], CASE_NONE


BLOCK_TAG = re.compile(r"(?i)</?(p|div|br|li|ul|ol|dl|dt|dd|h[1-6]|tr|td|th|table|pre|title|"
                       r"blockquote|hr|tbody|thead|img)\b[^>]*>")


def page_text(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        page = f.read()
    page = re.sub(r"(?is)<(script|style|head)\b.*?</\1>", "\n", page)
    # Block elements end a line; inline ones (emphasis, links) join their text to its neighbours,
    # so quotes and punctuation keep their place next to the words.
    page = re.sub(BLOCK_TAG, "\n", page)
    page = re.sub(r"<[^>]+>", "", page)
    return html.unescape(page)


# Catalogues of programs whose manual pages the measuring text (manpages-ru) does not hold, so
# the measurement stays independent of what the model learnt.
CATALOGUES = """PackageKit appstream apt at-spi2-core avahi bfd binutils dpkg dpkg-dev gas gdk-pixbuf
gettext-runtime gettext-tools git glib20 gnupg2 gprof gsettings-desktop-schemas
gst-plugins-base-1.0 gstreamer-1.0 gtk20 gtk20-properties gtk30 gtk30-properties initdb-15
iso_3166-1 ld libapt-pkg6.0 make pg_dump-15 postgres-15 psql-15 python-apt shared-mime-info
software-properties tar wget xdg-user-dirs xkeyboard-config""".split()


def catalogue_text(path):
    with open(path, "rb") as f:
        catalogue = gettext.GNUTranslations(f)
    return "\n".join(v for v in catalogue._catalog.values() if isinstance(v, str))


HELP_DIRS = ["/usr/share/gimp/2.0/help/ru", "/usr/share/libreoffice/help/ru"]


def sources(help_dirs, locale_dir):
    """(path, reader) of every source text, in a stable order."""
    found = []
    for help_dir in help_dirs:
        pages = sorted(glob.glob(os.path.join(help_dir, "**", "*.html"), recursive=True))
        if not pages:
            sys.exit(f"no HTML pages under {help_dir}: apt-get install -y gimp-help-ru "
                     "libreoffice-help-ru")
        found += [(p, page_text) for p in pages]
    for name in CATALOGUES:
        path = os.path.join(locale_dir, name + ".mo")
        if os.path.exists(path):
            found.append((path, catalogue_text))
        else:
            print(f"note: no catalogue {path}", file=sys.stderr)
    return found


def split(found):
    """Texts to count and texts held out."""
    train = [normalise(read(p)) for i, (p, read) in enumerate(found) if i % 10 != 0]
    holdout = [normalise(read(p)) for i, (p, read) in enumerate(found) if i % 10 == 0]
    return train, holdout


def normalise(text):
    # Runs of blanks are one word boundary; line structure is kept for samples.
    text = re.sub(r"[ \t]+", " ", text)
    return re.sub(r"\s*\n\s*", "\n", text).strip()


# Letter case depends on what the letter follows: a word inside a sentence mostly starts in
# lower case, a sentence mostly in upper case, and a word rarely turns from lower to upper case.
# Where a sample starts nothing is known, so both cases score the same there. After two capitals
# a word goes on in capitals (ВСЁ, not ВСр).
(AT_START, AFTER_WORD_GAP, AFTER_SENTENCE_END, AFTER_LINE_BREAK, AFTER_LOWER, AFTER_UPPER,
 AFTER_UPPERS) = range(7)
CONTEXT_COUNT = 7
SENTENCE_ENDS = ".!?…"
# Contexts that last across spaces and punctuation until the next word.
LASTING = (AT_START, AFTER_SENTENCE_END, AFTER_LINE_BREAK)


# How a non-letter moves the case context.
KIND_OTHER, KIND_SENTENCE_END, KIND_LINE_BREAK, KIND_DIGIT = range(4)


def kind(ch, cls):
    if ch in SENTENCE_ENDS:
        return KIND_SENTENCE_END
    if ch == "\n":
        return KIND_LINE_BREAK
    return KIND_DIGIT if cls == CLASS["digit"] else KIND_OTHER


def next_context(context, ch_kind, case):
    """The case context after a character of the given kind and case."""
    if case == CASE_UPPER:
        return AFTER_UPPERS if context in (AFTER_UPPER, AFTER_UPPERS) else AFTER_UPPER
    if case:
        return AFTER_LOWER
    if ch_kind == KIND_SENTENCE_END:
        return AFTER_SENTENCE_END
    if ch_kind == KIND_LINE_BREAK:
        return context if context in (AT_START, AFTER_SENTENCE_END) else AFTER_LINE_BREAK
    if context in LASTING and ch_kind != KIND_DIGIT:
        return context
    return AFTER_WORD_GAP


def count(texts):
    """Pair counts and case counts."""
    n = len(CLASS_NAMES)
    pairs = [[0] * n for _ in range(n)]
    cases = [[0] * 2 for _ in range(CONTEXT_COUNT)]
    space = CLASS["space"]
    for text in texts:
        prev, context = space, AT_START
        for ch in text:
            cls, case = classify(ch)
            pairs[prev][cls] += 1
            if case:
                cases[context][case - 1] += 1
            prev, context = cls, next_context(context, kind(ch, cls), case)
        pairs[prev][space] += 1
    return pairs, cases


def log_table(rows, beta):
    columns = [sum(row[j] for row in rows) + 1.0 for j in range(len(rows[0]))]
    overall = [c / sum(columns) for c in columns]
    out = []
    for row in rows:
        total = sum(row) + beta
        out.append([round(SCALE * math.log2((c + beta * p) / total)) for c, p in zip(row, overall)])
    return out


# Most texts write е for ё, so ё's own pairs are too few to judge by: it also gets this share of
# е's pairs. Otherwise a correct ВСЁ loses to a misread ВСр.
YO_SHARE = 0.05


def share_yo(pairs):
    e, yo = CLASS["е"], CLASS["ё"]
    for j in range(len(CLASS_NAMES)):
        pairs[yo][j] += YO_SHARE * pairs[e][j]
    for i in range(len(CLASS_NAMES)):
        pairs[i][yo] += YO_SHARE * pairs[i][e]


# Help pages and messages are technical; the stems of a spelling dictionary add the letter pairs of
# everyday words they lack (женщина, щёки). Each stem counts as one word, with this weight.
DICTIONARY = "/usr/share/hunspell/ru_RU.dic"
DICTIONARY_WEIGHT = 1.0


def dictionary_words(path=DICTIONARY):
    if not os.path.exists(path):
        sys.exit(f"no {path}: apt-get install -y hunspell-ru")
    with open(path, encoding="utf-8", errors="replace") as f:
        next(f)  # the number of stems
        return [line.split("/")[0].strip() for line in f if line.strip()]


def count_words(pairs, words, weight):
    """Adds the letter pairs of single words, word boundaries included, to `pairs`."""
    space = CLASS["space"]
    for word in words:
        prev = space
        for ch in word:
            cls, _ = classify(ch)
            pairs[prev][cls] += weight
            prev = cls
        pairs[prev][space] += weight


def build_model(texts, words=(), beta=BETA, weight=DICTIONARY_WEIGHT):
    """Pair scores, case scores and the number of Russian letters counted."""
    pairs, cases = count(texts)
    count_words(pairs, words, weight)
    share_yo(pairs)
    cases[AT_START] = [1, 1]
    letters = round(sum(sum(pairs[i]) for i in range(len(RUSSIAN))))
    return log_table(pairs, beta), log_table(cases, 2.0), letters


def readings():
    """For each code page, the class, the case and the kind of every byte."""
    classes, cases, kinds = [], [], []
    for _, codec in CODECS:
        class_row, case_row, kind_row = [], [], []
        for b in range(256):
            try:
                ch = bytes([b]).decode(codec)
            except UnicodeDecodeError:
                ch = "\u0098" if codec == "cp1251" else "\ufffd"
            cls, case = classify(ch)
            class_row.append(cls)
            case_row.append(case)
            kind_row.append(kind(ch, cls))
        classes.append(class_row)
        cases.append(case_row)
        kinds.append(kind_row)
    return classes, cases, kinds


def c_rows(rows, width, per_line=32):
    lines = []
    for row in rows:
        chunks = [", ".join(f"{v:>{width}}" for v in row[i:i + per_line])
                  for i in range(0, len(row), per_line)]
        lines.append("    {" + ",\n     ".join(chunks) + "},")
    return "\n".join(lines)


def render(pairs_log, cases_log, reading_classes, reading_cases, reading_kinds, stats):
    n = len(CLASS_NAMES)
    names = " ".join(CLASS_NAMES)
    return f"""// Generated by tools/gen_code_page_model.py; do not edit. {stats}
// Classes: {names}
// Scores are {SCALE} x log2 of a probability.
namespace text::code_page_model {{

inline constexpr int kClassCount = {n};
inline constexpr int kSpace = {CLASS['space']};
inline constexpr int kForeign = {CLASS['foreign']};
inline constexpr int kRussianLetters = {len(RUSSIAN)};
inline constexpr int kScale = {SCALE};

// Case contexts and kinds of characters, as the tables below number them.
enum Context {{ kAtStart, kAfterWordGap, kAfterSentenceEnd, kAfterLineBreak, kAfterLower,
               kAfterUpper, kAfterUppers }};
enum Kind {{ kOther, kSentenceEnd, kLineBreak, kDigit }};

// Class of each byte as each code page 1..5 reads it.
inline constexpr unsigned char kReadingClass[5][256] = {{
{c_rows(reading_classes, 2, 16)}
}};

// Case of each byte as each code page reads it: 0 not a letter, 1 lower, 2 upper.
inline constexpr unsigned char kReadingCase[5][256] = {{
{c_rows(reading_cases, 1)}
}};

// What a non-letter does to the case context: 0 nothing, 1 ends a sentence, 2 breaks the line,
// 3 a digit.
inline constexpr unsigned char kReadingKind[5][256] = {{
{c_rows(reading_kinds, 1)}
}};

// Score of a class following a class: kPair[previous][next].
inline constexpr short kPair[{n}][{n}] = {{
{c_rows(pairs_log, 4, 14)}
}};

// Score of a letter's case (lower, upper) in its context: at the start of the sample, after a gap
// between words, after the end of a sentence, after a line break, after a lower-case letter,
// after one upper-case letter, after two or more.
inline constexpr int kContextCount = {CONTEXT_COUNT};
inline constexpr short kCase[{CONTEXT_COUNT}][2] = {{
{c_rows(cases_log, 4)}
}};

}}  // namespace text::code_page_model
"""


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--locale-dir", default="/usr/share/locale/ru/LC_MESSAGES")
    parser.add_argument("--out", default=os.path.join(here, "..", "src", "text",
                                                      "code_page_model.inc"))
    parser.add_argument("--holdout-out")
    args = parser.parse_args()

    found = sources(HELP_DIRS, args.locale_dir)
    train, holdout = split(found)
    words = dictionary_words()
    pairs_log, cases_log, letters = build_model(train, words)
    stats = f"{len(train)} texts and {len(words)} stems, {letters} Russian letters."
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(render(pairs_log, cases_log, *readings(), stats))
    if args.holdout_out:
        with open(args.holdout_out, "w", encoding="utf-8") as f:
            for text in holdout:
                f.write(text + "\n")
    print(f"wrote {args.out}: {stats}")


if __name__ == "__main__":
    main()
