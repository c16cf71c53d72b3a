#!/usr/bin/env python3
"""Make the word lists that three of コトハナ's games are delivered with.

It writes three files into data/delivered/ of this repository (UTF-8, LF line
ends, one entry a line, no header):

  しりとり辞書.txt  the words the computer plays in the word-chain game:
                    common nouns as hiragana readings of 2 to 6 kana, the most
                    common first (about 3,000), topped up so that every kana a
                    word can start with has at least 10 words when that many
                    exist; fewer than one fifth end in "ん", none ends in "っ".
  バラバラ辞書.txt  the words of the unscrambling game (about 1,500): common
                    nouns of 3 to 7 characters, written the way the player has
                    to type them, a mix of kanji, katakana, hiragana and mixed
                    words, the most common first.
  四熟虫喰辞書.txt  four-kanji idioms for the idiom game (about 1,000): the
                    idiom, one ideographic space, then its reading in
                    hiragana; the idioms IPAdic knows first.

Where the words come from:

  * JMdict/EDICT from the Electronic Dictionary Research and Development Group,
    as shipped by Debian's "edict" package (/usr/share/edict/edict, EUC-JP).
    A noun is taken only when EDICT marks it as common "(P)" and lists it
    first as a noun "(n)"; an idiom only when it is tagged "(yoji)". Entries
    with a vulgar or X-rated sense are left out, and so are entries whose main
    sense is archaic, obsolete, rare, slang, an abbreviation, derogatory or
    obscure, or that are an irregular or outdated spelling.
  * IPAdic, as shipped by Debian's "mecab-ipadic" package (the source CSV files
    /usr/share/mecab/dic/ipadic/*.csv, EUC-JP). A noun must also be an
    ordinary IPAdic noun with the same spelling and the same reading. IPAdic's
    word cost (lower = more likely) stands for how common a word is; since the
    costs of katakana, kanji and hiragana words are not comparable, a word is
    ranked among the words written in the same script.

The lists were then read through by hand: the EXCLUDE_* sets below hold the
words dropped as unsuitable for a family program (sexual, violent, crude,
discriminatory, medical, ...). Every entry must be encodable in Shift_JIS
(code page 932), since the program stores its files that way; entries that
are not are left out.

How to run it (only needed to make the lists anew; the build does not run it,
and the generated files are kept in the repository):

    apt-get install edict mecab-ipadic
    python3 tools/dictionaries/generate.py            # writes data/delivered/
    python3 tools/dictionaries/generate.py --report   # also prints statistics

--edict, --ipadic and --out point it at other locations. It needs only the
Python 3 standard library and gives the same output on every run for the same
input files. The lists are derived from JMdict/EDICT and so are shared under
the Creative Commons Attribution-ShareAlike 3.0 licence: see DICTIONARIES.md
beside this script.
"""

import argparse
import bisect
import collections
import glob
import os
import re
import sys

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_EDICT = "/usr/share/edict/edict"
DEFAULT_IPADIC = "/usr/share/mecab/dic/ipadic"
DEFAULT_OUT = os.path.join(REPO, "data", "delivered")

SHIRITORI_FILE = "しりとり辞書.txt"
BARABARA_FILE = "バラバラ辞書.txt"
YOJI_FILE = "四熟虫喰辞書.txt"

# Sizes of the lists.
SHIRITORI_SIZE = 3000        # the most common words taken first
SHIRITORI_MIN_PER_KANA = 10  # then topped up to this many per starting kana
SHIRITORI_MAX_N_SHARE = 0.2  # words ending in "ん" stay below this share
BARABARA_SIZE = 1500
BARABARA_SHARES = (("kanji", 0.35), ("katakana", 0.35), ("mixed", 0.2), ("hiragana", 0.1))
YOJI_MIN = 500
YOJI_MAX = 1000

# EDICT tags that rule a word out wherever they stand (any sense).
BAD_ANYWHERE = {"X", "vulg"}
# Tags that rule a word out when they stand on the whole entry or its first
# (main) sense: vulgar, archaic, obsolete, rare, slang, abbreviation,
# derogatory, obscure, and irregular or outdated spellings.
BAD_MAIN = {
    "X", "vulg", "arch", "obs", "rare", "sl", "net-sl", "abbr", "derog",
    "obsc", "ok", "oK", "rK", "sK", "sk", "ik", "iK", "io",
}
# IPAdic noun classes that count as ordinary nouns (proper nouns, pronouns,
# numerals, suffixes and dependent nouns do not).
IPADIC_NOUN_CLASSES = {"一般", "サ変接続", "形容動詞語幹", "副詞可能", "ナイ形容詞語幹"}

# Words dropped after reading the lists (unsuitable for a family program, or
# odd as game words).
EXCLUDE_SHIRITORI = {
    "あんさつ", "いじめ", "うわき", "えいず", "おりもの", "がし", "きょうかつ", "ぎゃんぐ", "ぎゃんぶる",
    "げりら", "ごうだつ", "さつがい", "しけい", "しゃさつ", "しゃせい", "しょうべん", "しょけい",
    "しんじゅう", "じさつ", "じゅうげき", "すてろいど", "せっくす", "せっぷく", "そなた", "だいべん",
    "ちくび", "ちし", "ぬすみ", "ぬーど", "ばいしゅん", "ばか", "ぱちんこ", "ひばく", "ぴすとる",
    "ふうぞく", "ふりん", "ぶらく", "ぺすと", "ぼけ", "もうがっこう", "らいふる", "りゃくだつ",
}
EXCLUDE_BARABARA = {
    "あっけ", "いじめ", "うんこ", "おしっこ", "おっぱい", "おなら", "ちんちん", "のろま", "やくざ",
    "エイズ", "ゲリラ", "ステロイド", "セックス", "ハンセン病", "パチンコ", "ピストル", "マルクス主義",
    "ライフル", "万引き", "不整脈", "原水爆", "受精卵", "合併症", "同性愛", "天然痘", "後遺症",
    "心不全", "心神耗弱", "恥さらし", "愚連隊", "暴力団", "更年期", "核兵器", "水俣病", "泌尿器",
    "火炎瓶", "特攻隊", "狭心症", "産婦人科", "男尊女卑", "白血病", "盲学校", "絞首刑", "肝硬変",
    "肺結核", "脳出血", "脳卒中", "腹膜炎", "臆病者", "自閉症", "致命傷", "血友病", "覚醒剤",
    "貧乏人", "飢え死に",
}
EXCLUDE_YOJI = {
    "一斉射撃", "一昨々年", "一昨々月", "一死報国", "一殺多生", "七生報国", "不倫相手", "人身御供",
    "以夷制夷", "体外離脱", "刃傷沙汰", "分散恋愛", "助平根性", "十字砲火", "半身不随", "半鐘泥棒",
    "原発銀座", "同伴出勤", "大馬鹿者", "女尊男卑", "女性遍歴", "官尊民卑", "官能小説", "専門馬鹿",
    "年増美人", "弾丸飛雨", "役者馬鹿", "心神喪失", "恋愛遊戯", "恋愛遍歴", "成人指定", "掃討作戦",
    "放蕩生活", "整形美人", "植物人間", "焚書坑儒", "無理心中", "狂言自殺", "男尊女卑", "硝煙弾雨",
    "社内不倫", "神経衰弱", "窃盗行為", "紅毛碧眼", "耽溺生活", "英雄好色", "酒池肉林", "雪隠大工",
    "雲助根性", "風俗壊乱", "風俗小説", "餓死寸前",
}

HIRAGANA_FIRST, HIRAGANA_LAST = 0x3041, 0x3096
LONG_MARK = "\u30fc"
ITERATION_MARK = "\u3005"
SMALL_KANA = set("ぁぃぅぇぉゃゅょゎっ\u3095\u3096")
BAD_LAST_KANA = set("っゎゐゑ\u3095\u3096")
ARCHAIC_KANA = set("ゐゑ")


def to_hiragana(text):
    """Katakana letters to hiragana; everything else unchanged."""
    return "".join(chr(ord(c) - 0x60) if 0x30A1 <= ord(c) <= 0x30F6 else c for c in text)


def is_hiragana(c):
    return HIRAGANA_FIRST <= ord(c) <= HIRAGANA_LAST


def is_katakana(c):
    return 0x30A1 <= ord(c) <= 0x30FA or c == LONG_MARK


def is_kanji(c):
    return 0x4E00 <= ord(c) <= 0x9FFF


def cp932_ok(text):
    try:
        text.encode("cp932")
        return True
    except UnicodeEncodeError:
        return False


# ---------------------------------------------------------------- IPAdic

def read_ipadic(folder):
    """surface -> {hiragana reading: lowest cost} for ordinary nouns, and
    surface -> {hiragana reading: lowest cost} for every word class."""
    nouns = collections.defaultdict(dict)
    anything = collections.defaultdict(dict)
    files = sorted(glob.glob(os.path.join(folder, "*.csv")))
    if not files:
        sys.exit("no IPAdic CSV files in %s (apt-get install mecab-ipadic)" % folder)
    for path in files:
        with open(path, encoding="euc_jp") as f:
            for line in f:
                cols = line.rstrip("\n").split(",")
                if len(cols) < 13:
                    continue
                surface, cost, reading = cols[0], int(cols[3]), to_hiragana(cols[11])
                noun = cols[4] == "名詞" and cols[5] in IPADIC_NOUN_CLASSES
                for table, wanted in ((anything, True), (nouns, noun)):
                    if wanted:
                        old = table[surface].get(reading)
                        if old is None or cost < old:
                            table[surface][reading] = cost
    return nouns, anything


# ---------------------------------------------------------------- EDICT

Entry = collections.namedtuple(
    "Entry", "order group surface reading common first_pos main_tags all_tags uk")

LINE_RE = re.compile(r"^(\S+)(?: \[(\S+)\])? /(.*)/$")
GROUP_RE = re.compile(r"^\(([^()\s]*)\)\s*")
POS_RE = re.compile(
    r"^(n|n-\S+|v\S*|adj\S*|adv\S*|exp|int|pn|pref|suf|ctr|num|prt|conj|aux\S*|cop\S*|unc)$")


def leading_groups(field):
    """The codes of the parenthesised groups a gloss field starts with."""
    codes = []
    while True:
        m = GROUP_RE.match(field)
        if not m:
            return codes
        codes.extend(c.strip() for c in m.group(1).split(","))
        field = field[m.end():]


def read_edict(path):
    if not os.path.exists(path):
        sys.exit("no EDICT file at %s (apt-get install edict)" % path)
    with open(path, "rb") as f:
        text = f.read().decode("euc_jp")
    entries = []
    for order, line in enumerate(text.split("\n")):
        m = LINE_RE.match(line)
        if not m or order == 0:
            continue
        surface, reading, body = m.group(1), m.group(2) or m.group(1), m.group(3)
        fields = body.split("/")
        senses = []
        for field in fields:
            codes = leading_groups(field)
            if not codes:
                continue
            numbered = any(c.isdigit() for c in codes)
            if numbered or not senses:
                senses.append(set(codes))
            else:
                senses[-1].update(codes)
        if not senses:
            continue
        first_codes = leading_groups(fields[0])
        pos = [c for c in first_codes if POS_RE.match(c)]
        all_tags = set().union(*senses)
        glosses = "/".join(f for f in fields if f != "(P)")
        entries.append(Entry(order, glosses, surface, reading, "(P)" in fields,
                             pos[0] if pos else "", senses[0], all_tags,
                             "uk" in senses[0]))
    return group_entries(entries)


def group_entries(entries):
    """EDICT has one line for each spelling and reading of a JMdict entry; the
    lines of one entry have the same glosses and share a spelling or a
    reading with each other. Give every line the number of the first line of
    its entry as its group (lines of different words that happen to have the
    same glosses stay apart)."""
    parent = {}

    def find(key):
        while parent.setdefault(key, key) != key:
            parent[key] = parent[parent[key]]
            key = parent[key]
        return key

    for e in entries:
        line = ("line", e.order)
        for key in (("spelling", e.group, e.surface), ("reading", e.group, to_hiragana(e.reading))):
            a, b = find(line), find(key)
            if a != b:
                parent[max(a, b)] = min(a, b)
    first = {}
    for e in entries:
        root = find(("line", e.order))
        first.setdefault(root, e.order)
    return [e._replace(group=first[find(("line", e.order))]) for e in entries]


def acceptable(entry):
    return not (entry.all_tags & BAD_ANYWHERE) and not (entry.main_tags & BAD_MAIN)


Candidate = collections.namedtuple("Candidate", "rank cost form reading kind group order uk")


def script_kind(word):
    if all(is_hiragana(c) or c == LONG_MARK for c in word):
        return "hiragana"
    if all(is_katakana(c) for c in word):
        return "katakana"
    if all(is_kanji(c) or c == ITERATION_MARK for c in word):
        return "kanji"
    return "mixed"


def common_nouns(entries, nouns):
    """The common EDICT nouns that are IPAdic nouns with the same spelling and
    reading, as Candidates, the most common first. Words that EDICT says are
    usually written in kana also give their kana spelling.

    IPAdic's costs are not comparable between scripts (katakana words cost
    much less than kanji words, hiragana words much more), so a word is ranked
    by the share of candidates of its own script that cost less than it: the
    most common katakana word ranks with the most common kanji word."""
    found = {}
    for e in entries:
        if not (e.common and e.first_pos == "n" and acceptable(e)):
            continue
        reading = to_hiragana(e.reading)
        forms = [(e.surface, False)]
        if e.uk and e.reading != e.surface:
            forms.append((e.reading, True))
        for form, uk in forms:
            cost = nouns.get(form, {}).get(reading)
            if cost is None:
                continue
            key = (form, reading)
            if key not in found or (cost, e.order) < found[key][:2]:
                found[key] = (cost, e.order, e.group, uk)
    costs = collections.defaultdict(list)
    for (form, reading), (cost, _, _, _) in found.items():
        costs[script_kind(form)].append(cost)
    for values in costs.values():
        values.sort()
    candidates = []
    for (form, reading), (cost, order, group, uk) in found.items():
        kind = script_kind(form)
        rank = bisect.bisect_left(costs[kind], cost) / len(costs[kind])
        candidates.append(Candidate(rank, cost, form, reading, kind, group, order, uk))
    candidates.sort(key=lambda c: (c.rank, c.cost, c.form, c.reading))
    return candidates


# ---------------------------------------------------------------- しりとり

def shiritori_word_ok(reading):
    if not 2 <= len(reading) <= 6:
        return False
    if not all(is_hiragana(c) or c == LONG_MARK for c in reading):
        return False
    if reading[0] == LONG_MARK or reading[-1] == LONG_MARK:
        return False
    if reading[0] in SMALL_KANA or reading[0] == "ん":
        return False
    if reading[-1] in BAD_LAST_KANA or any(c in ARCHAIC_KANA for c in reading):
        return False
    return cp932_ok(reading) and reading not in EXCLUDE_SHIRITORI


def make_shiritori(candidates):
    ranked = []
    seen = set()
    for candidate in candidates:
        reading = candidate.reading
        if reading in seen or not shiritori_word_ok(reading):
            continue
        seen.add(reading)
        ranked.append(reading)
    chosen = []
    ending_n = 0
    taken = set()
    max_n = int(SHIRITORI_SIZE * SHIRITORI_MAX_N_SHARE) - 1
    for word in ranked:
        if len(chosen) >= SHIRITORI_SIZE:
            break
        if word.endswith("ん"):
            if ending_n >= max_n:
                continue
            ending_n += 1
        chosen.append(word)
        taken.add(word)
    per_kana = collections.Counter(w[0] for w in chosen)
    for word in ranked:
        if word in taken or per_kana[word[0]] >= SHIRITORI_MIN_PER_KANA:
            continue
        if word.endswith("ん"):
            continue
        chosen.append(word)
        taken.add(word)
        per_kana[word[0]] += 1
    return chosen, ranked


# ---------------------------------------------------------------- バラバラ

def barabara_word_ok(word):
    if not 3 <= len(word) <= 7 or len(set(word)) == 1:
        return False
    for i, c in enumerate(word):
        if is_hiragana(c) or is_katakana(c) or is_kanji(c):
            continue
        if c == ITERATION_MARK and i > 0:
            continue
        return False
    if word[0] == LONG_MARK:
        return False
    return cp932_ok(word)


def make_barabara(candidates):
    """One written form for each EDICT entry (the kana one when EDICT says the
    word is usually written in kana, else its most common spelling),
    then a mix of scripts: each script gets its share of the list with its
    most common words, and what a script cannot fill goes to the most common
    words left over. The list is in order of rank."""
    excluded = {c.group for c in candidates if c.form in EXCLUDE_BARABARA}
    per_group = {}
    for c in candidates:
        if c.group in excluded or not barabara_word_ok(c.form):
            continue
        best = per_group.get(c.group)
        if best is None or (not c.uk, c.rank, c.form) < (not best.uk, best.rank, best.form):
            per_group[c.group] = c
    pool = []
    seen = set()
    for c in sorted(per_group.values(), key=lambda c: (c.rank, c.cost, c.form, c.reading)):
        if c.form not in seen:
            seen.add(c.form)
            pool.append(c)
    chosen = []
    for kind, share in BARABARA_SHARES:
        chosen.extend([c for c in pool if c.kind == kind][:int(BARABARA_SIZE * share)])
    taken = {c.form for c in chosen}
    for c in pool:
        if len(chosen) >= BARABARA_SIZE:
            break
        if c.form not in taken:
            chosen.append(c)
            taken.add(c.form)
    chosen.sort(key=lambda c: (c.rank, c.cost, c.form, c.reading))
    return [c.form for c in chosen]


# ---------------------------------------------------------------- 四熟虫喰

def yoji_ok(idiom, reading):
    if len(idiom) != 4 or not is_kanji(idiom[0]):
        return False
    if not all(is_kanji(c) or c == ITERATION_MARK for c in idiom[1:]):
        return False
    if not reading or not all(is_hiragana(c) or c == LONG_MARK for c in reading):
        return False
    return cp932_ok(idiom + "\u3000" + reading)


def kanji_familiarity(anything):
    """How many IPAdic words each kanji appears in: a rough measure of how
    familiar the character is."""
    counts = collections.Counter()
    for surface in anything:
        counts.update(set(c for c in surface if is_kanji(c)))
    return counts


def make_yoji(entries, anything):
    """One line for each EDICT entry tagged as a four-kanji idiom. Of its
    spellings of four kanji, those IPAdic knows are preferred; among them the
    one written with "々", then the one whose rarest kanji is the most
    familiar, then the one with the lowest cost. The reading is the one IPAdic
    knows for that spelling, else its first one in EDICT.
    Idioms that IPAdic knows come first (by cost), then the rest: common
    EDICT entries first, then those whose rarest kanji is the most familiar.
    """
    familiarity = kanji_familiarity(anything)
    groups = collections.OrderedDict()
    for e in entries:
        if "yoji" in e.all_tags and acceptable(e):
            groups.setdefault(e.group, []).append(e)
    ranked = []
    for members in groups.values():
        if any(e.surface in EXCLUDE_YOJI for e in members):
            continue
        pairs = []
        for e in members:
            reading = to_hiragana(e.reading)
            if not yoji_ok(e.surface, reading):
                continue
            cost = anything.get(e.surface, {}).get(reading)
            rarest = min(familiarity[c] for c in e.surface if c != ITERATION_MARK)
            preference = (cost is None, -e.surface.count(ITERATION_MARK), -rarest,
                          cost or 0, not e.common, e.order)
            pairs.append((preference, e.surface, reading, cost, rarest))
        if not pairs:
            continue
        pairs.sort()
        _, idiom, reading, cost, rarest = pairs[0]
        common = any(e.common for e in members)
        if cost is not None:
            rank = (0, cost, idiom)
        else:
            rank = (1, 0 if common else 1, -rarest, idiom)
        ranked.append((rank, idiom, reading))
    ranked.sort()
    lines = []
    seen = set()
    for rank, idiom, reading in ranked:
        if idiom not in seen:
            seen.add(idiom)
            lines.append(idiom + "\u3000" + reading)
    return lines[:YOJI_MAX], ranked


# ---------------------------------------------------------------- output

def write_list(folder, name, lines):
    for line in lines:
        if line != line.strip() or "," in line or '"' in line or " " in line or not cp932_ok(line):
            raise ValueError("bad entry %r for %s" % (line, name))
    if len(set(lines)) != len(lines):
        raise ValueError("duplicates in %s" % name)
    with open(os.path.join(folder, name), "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(line + "\n" for line in lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--edict", default=DEFAULT_EDICT)
    parser.add_argument("--ipadic", default=DEFAULT_IPADIC)
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--report", action="store_true", help="print statistics")
    args = parser.parse_args()

    nouns, anything = read_ipadic(args.ipadic)
    entries = read_edict(args.edict)
    candidates = common_nouns(entries, nouns)

    shiritori, ranked = make_shiritori(candidates)
    barabara = make_barabara(candidates)
    yoji, _ = make_yoji(entries, anything)
    if len(yoji) < YOJI_MIN:
        sys.exit("only %d idioms found" % len(yoji))

    os.makedirs(args.out, exist_ok=True)
    write_list(args.out, SHIRITORI_FILE, shiritori)
    write_list(args.out, BARABARA_FILE, barabara)
    write_list(args.out, YOJI_FILE, yoji)

    if args.report:
        print("%s: %d words" % (SHIRITORI_FILE, len(shiritori)))
        ending_n = sum(w.endswith("ん") for w in shiritori)
        print("  ending in ん: %d (%.1f%%)" % (ending_n, 100.0 * ending_n / len(shiritori)))
        have = collections.Counter(w[0] for w in shiritori)
        could = collections.Counter(w[0] for w in ranked)
        print("  per starting kana (in list / candidates):")
        print("  " + " ".join("%s%d/%d" % (k, have[k], could[k]) for k in sorted(could)))
        kinds = collections.Counter(script_kind(w) for w in barabara)
        print("%s: %d words %s" % (BARABARA_FILE, len(barabara), dict(sorted(kinds.items()))))
        print("%s: %d idioms" % (YOJI_FILE, len(yoji)))


if __name__ == "__main__":
    main()
