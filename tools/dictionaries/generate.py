#!/usr/bin/env python3
"""Make the word lists that three of コトハナ's games are delivered with.

It writes three files into data/delivered/ of this repository (UTF-8, LF line
ends, one entry a line, no header):

  しりとり辞書.txt  the words the computer plays in the word-chain game
                    (about 3,000): everyday nouns as hiragana readings of 2 to
                    6 kana, the most common first. None ends in "ん", "っ" or
                    "ー", and at least 10 words start with the chain kana of
                    every word (its last kana, small kana folded to large as
                    the game does), so a chain never dead-ends.
  バラバラ辞書.txt  the words of the unscrambling game (about 1,500): common
                    nouns of 3 to 7 characters, written the way the player has
                    to type them, a mix of kanji, katakana, hiragana and mixed
                    words, the most common first.
  四熟虫喰辞書.txt  four-character idioms for the idiom game (at least 600):
                    the idiom, one ideographic space, then its reading in
                    hiragana; the best known first.

Where the words come from:

  * JMdict/EDICT from the Electronic Dictionary Research and Development Group,
    as shipped by Debian's "edict" package (/usr/share/edict/edict, EUC-JP).
    A noun is a candidate when EDICT marks it as common "(P)" and lists it
    first as a noun "(n)". Entries with a vulgar or X-rated sense are left
    out, and so are entries whose main sense is archaic, obsolete, rare,
    slang, an abbreviation, derogatory or obscure, or that are an irregular
    or outdated spelling. The idioms and their readings are EDICT's too.
  * IPAdic, as shipped by Debian's "mecab-ipadic" package (the source CSV files
    /usr/share/mecab/dic/ipadic/*.csv, EUC-JP). A noun must also be an
    ordinary IPAdic noun with the same spelling and the same reading. IPAdic's
    word cost (lower = more likely) stands for how common a word is; since the
    costs of katakana, kanji and hiragana words are not comparable, a word is
    ranked among the words written in the same script.

How the lists were reviewed (the decisions are data in this script, so the
lists can be made again):

  * しりとり: the SHIRITORI_REVIEWED most common candidates were all read;
    EXCLUDE_SHIRITORI_* hold the words left out (unfit for a family program;
    rare, news-register or technical). INCLUDE_SHIRITORI holds everyday words
    picked from the less common candidates and from EDICT's other nouns,
    among them words for the kana few words start with. The generator then
    drops every word whose chain kana starts fewer than SHIRITORI_MIN_STARTS
    words, until none is left.
  * バラバラ: every word the list takes was read; EXCLUDE_BARABARA_* hold the
    words left out, and the words that took their places were read in turn.
  * 四熟虫喰: YOJI_TIERS is the list of idioms itself, picked from EDICT's
    "(yoji)" entries and its other four-kanji entries, in three tiers by how
    well known they are; YOJI_READINGS holds the reading chosen wherever
    EDICT gives more than one. The generator stops when an idiom is missing
    from EDICT or lacks a chosen reading.

Every entry must be encodable in Shift_JIS (code page 932), since the program
stores its files that way; entries that are not are left out.

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
SHIRITORI_REVIEWED = 4000    # the most common candidates, all read by hand
SHIRITORI_MIN_STARTS = 10    # words that must start with a word's chain kana
BARABARA_SIZE = 1500
BARABARA_SHARES = (("kanji", 0.35), ("katakana", 0.35), ("mixed", 0.2), ("hiragana", 0.1))
YOJI_MIN = 600

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

# Hand decisions on the しりとり words. The SHIRITORI_REVIEWED most common
# candidates were all read: the words unsuitable for a family program and the
# rare, news-register or technical ones (words a player would not think of in
# a word chain: れきほう, ぎひ, ついちょう) are left out. INCLUDE_SHIRITORI are
# everyday words picked by hand from the less common candidates and from
# EDICT's other nouns, among them words that start with the kana few words
# start with (ぬ, る, ず, ぞ), so that a chain can go on after them.
EXCLUDE_SHIRITORI_FAMILY = set("""
あんさつ いじめ うわき えいず おりもの がし きょうかつ ぎゃんぐ ぎゃんぶる げりら ごうだつ さつがい しけい しゃさつ しゃせい しょうべん しょけい しんじゅう じさつ
じゅうげき すてろいど せっくす せっぷく そなた だいべん ちくび ちし ぬすみ ぬーど ばいしゅん ばか ぱちんこ ひばく ぴすとる ふうぞく ふりん ぶらく ぺすと ぼけ
もうがっこう らいふる りゃくだつ
""".split())

EXCLUDE_SHIRITORI_REGISTER = set("""
あいご あいとう あいどく あきない あくしでんと あくよう あしどめ あっか あっしゅく あっしょう あっぱく あとおし あなうめ あなりすと あまくだり あまり あゆみより
あらかると あらわれ あるかりせい あるみにうむ あんぎゃ あんじ あんじゅう あんばい あーちすと いいわたし いえす いおう いかく いきすぎ いきづまり いくえい いくせい
いしぶみ いしゃ いしゅく いじゅう いそう いたがらす いたく いちげき いちざ いちづけ いちどう いちばい いちるい いっかく いっかつ いっきうち いっこう いっさい いっしき
いっしつ いっせつ いっそう いったい いってい いっと いっぱ いっぱい いっぽう いつだつ いと いねかり いぶにんぐ いもの いやりんぐ いれい いわく いんきょ いんしゅ
いんせき いんとく いんどあ いーぐる うえじに うき うけおい うけわたし うせつ うちまく うつ うねり うは うみ うらづけ うりこみ うわづみ うわのせ うわむき うんえい
うんきゅう うんこう うんよう えいじゅう えいぞく えいち えいと えいやく えきか えくすぷれす えこのみすと えご えっきょう えっせいすと えっとう えぺ えりあ えんえい
えんか えんけい えんご えんしゅう えんじゅく えんじょう えんせい えんたい えんめい おうこう おうしゅう おうしょう おうじょう おうだ おうちゃく おうと おうとう おうひ
おうりつ おうりょう おおかた おおく おおくら おおぐち おおづめ おおて おくそく おしうり おしだし おだく おち おっかけ おむにばす おもわく おやがいしゃ おりーぶいろ
おろしうり おんえあ おんぱれーど おーくす おーるないと かいいき かいいれ かいかい かいかく かいき かいきょく かいこ かいこう かいごう かいざい かいしめ かいしょう
かいしょく かいじ かいじゅう かいじょ かいせい かいせき かいそ かいそう かいたく かいちく かいつけ かいて かいてい かいとり かいどく かいひ かいひょう かいぼう
かいめい かいめつ かいやく かいよう かえりざき かおまけ かかえ かぎり かく かくあげ かくしつ かくしゅ かくじゅう かくせい かくちょう かくづけ かくてい かくぶんれつ
かくへいき かくやく かくり かけこみ かけつ かけひき かごう かしつ かしょう かじの かじゅう かじょう かせい かせつ かたがた かため かちこし かっこく かっすい かっそう
かっぱ かつじょう かつぼう かと かとれや かどう かどみうむ かにゅう かねつ かねもうけ かぶぬし かみがた かみき かめい からっと かりいれ かりゅう かるてる かんか
かんかつ かんがい かんく かんけつ かんこく かんしゅう かんすい かんそく かんたい かんたく かんたーた かんち かんつう かんてい かんてつ かんとう かんない かんばい
かんばつ かんぱい かんふる かんぶ かんぷ かんぷう かんべつ かんぼつ かんめい かんゆう かんよ かんよう かんらく かんりゅう かんわ がいしょう がいとう がいむ がいや
がいゆう がいろ がくし がくじゅつ がくちょう がっかい がっさく がっち がっつぽーず がっぺい がらすばり がろう がんちく がんぼう がんゆう きえ きか きき ききゃく
ききゅう ききょう きぐ きさい きざし きしつ きしゅう きしょうだい きじゅつ きぜつ きそう きぞう きぞく きちょう きっくおふ きっと きと きとう きどう きはつ きひ
きゃくしょく きゃっか きゅうぎょう きゅうけい きゅうごう きゅうさい きゅうし きゅうすい きゅうせい きゅうぞう きゅうとう きゅうにゅう きゅうふ きゅうぼう きゅうよ
きゅうらく きょうがく きょうきゅう きょうこう きょうごう きょうさ きょうさい きょうしゅく きょうしゅつ きょうじ きょうじゅ きょうじゅつ きょうせい きょうちょう きょうてい
きょうと きょうはく きょうばい きょうぼう きょうよ きょうよう きょうりつ きょがく きょくせつ きょこう きょしゅつ きょじゅう きょぜつ きょだく きょひ きょよう きょらい
きよ きよう きりあげ きりさげ きりすて きんこ きんこう きんしゅく きんせい きんぞく きんだい きんぱく きんり きんろう きーわーど ぎあ ぎけつ ぎしょう ぎそう ぎぞう
ぎちょう ぎひ ぎゃくさつ ぎゃくしゅう ぎゃくたい ぎゃくもどり ぎょうかい ぎょうこ ぎょうし ぎょうしゃ ぎょうしゅく ぎょうせい ぎょかい ぎょかく ぎょくさい ぎんみ
くいちがい くうしゅう くうばく くかく くし くしゅう くしょう くじゅう くじょ くだり くちきき くちく くっさく くっせつ くったく くない くのう くみ くみあい くみかえ
くらふと くりいれ くりつ くりのべ くりょ くんかい くんじ くんれい ぐうはつ ぐんしゅう ぐんび けいい けいご けいさい けいし けいしゃ けいしゅく けいしょう けいしょく
けいじ けいじょう けいせい けいそう けいそく けいちゅう けいちょう けいとう けいはつ けいべつ けいもう けいゆ けいよう けいりょう けっき けっさい けっしゅう けっしゅつ
けっせい けっそく けったく けっちゃく けっとう けつぎ けつごう けつじょ けつじょう けつべつ けつぼう けつれつ けんえき けんえつ けんお けんきょ けんぎ けんぎょう
けんこく けんざい けんし けんしゅつ けんしょう けんじ けんじょう けんすい けんぞう けんたい けんちじ けんない けんま けんむ けーぷ げいげき げいごう げきか げきじょう
げきつい げきとつ げきど げきどう げきれい げしゃ げすいどう げや げらく げり げんえき げんかい げんがく げんきゅう げんごう げんしゅ げんしゅう げんしょう げんたい
げんばつ げんぽう げんめい げんゆう げーむせっと こうえつ こうかく こうき こうきゅう こうぎ こうこく こうさつ こうし こうじゅつ こうじょ こうそ こうそう こうそく
こうち こうちく こうちょく こうてつ こうとう こうどく こうはい こうばい こうひょう こうふ こうふく こうほう こうぼ こうもく こうやく こうゆう こうり こうりゃく
こうりょく こうわ こおう こかつ こがいしゃ こくさい こくし こくじ こくそ こくち こくど こくはつ こくひょう こくべつ こくぼう こくりつ こし こしつ こしょう こじ
こてい このまえ こぶ こみゅにけ こよう こらむにすと ころし こんきゅう こんけつ こんこーす こんすい こんせい こんせんさす こんぜつ こんとら こんとらすと こんどう
こんどーむ こんにゅう こんぼう こんぽう こんめい こんりゅう こんわく ごうい ごうきゅう ごうぎ ごうせい ごうどう ごうり ごうれい ごじょ ごそう ごほう ごろ さいき
さいくつ さいけつ さいこう さいしき さいしゅ さいしょく さいたく さいてい さいと さいはつ さいらい さいりょう さいれい さいろく さかしま さきおくり さきどり さきもの
さくご さくしゅ さくづけ さくてい さくにゅう さくりゃく さくれつ ささつ さしず さしゅ さしょう させつ さっし さっしょう さっち さっとう さてい さてらいと さどう
さどんです さふぁり さべつ さみっと さんかい さんけい さんこつ さんしゅ さんしゅつ さんじ さんせき さんち さんてい さんどう さんにゅう さんぱい さんぱつ さんび さんぷ
さんよ さんるいだ さんれつ さーきっと ざいかい ざいきょう ざいしょく ざいじゅう ざいせき ざいたく ざいりゅう ざっきょ ざっとう ざんだか ざんてい ざんぱい ざんりゅう
ざんるい しいれ しがい しきべつ しきょ しきんぐり しぎかい しぎょう しこう しご しさ しさく しさつ ししきゅう ししゃ ししゅつ したうけ しっきゃく しっけい しっこう
しっさく しっせき しっそう しっそく しっつい しつぎ しつぎょう しつむ しつめい してつ しなぎれ しはんき しぼ しめ しめい しもき しゃくほう しゃくめい しゃげき
しゃこく しゃざい しゅうか しゅうかい しゅうがく しゅうぎ しゅうぎょう しゅうけい しゅうけつ しゅうげき しゅうこう しゅうしゅく しゅうせき しゅうそく しゅうち
しゅうちゃく しゅうとく しゅうどう しゅうめい しゅうやく しゅうゆう しゅうよう しゅうろう しゅうろく しゅうわい しゅき しゅくが しゅくしゃく しゅくしょう しゅくせい
しゅさい しゅしゃ しゅせき しゅだい しゅっか しゅっこう しゅっし しゅっしゃ しゅっしょ しゅっしょう しゅっせい しゅっそう しゅってい しゅっとう しゅっぴ しゅつげき
しゅつごく しゅつど しゅつどう しゅつにゅう しゅつば しゅつぼつ しゅつりょく しゅつるい しゅとう しゅとく しゅどう しゅのう しゅぼう しゅもく しゅりゅう しゅりょう
しゅんじ しゆう しょうあく しょうかい しょうかく しょうきゃく しょうきゅう しょうきょ しょうこう しょうし しょうしゃ しょうしゅう しょうしょ しょうじ しょうじゅつ
しょうそ しょうそう しょうだく しょうち しょうに しょうふく しょうめつ しょうもう しょうりょう しょうれい しょうろく しょかつ しょき しょくじゅ しょくたく しょくはつ
しょくぼう しょぐう しょじ しょぞう しょち しょばつ しょひょう しょほう しょぼう しょゆう しょーけーす しょーる しれい しんがい しんぎ しんく しんくたんく しんぐ
しんぐるす しんげき しんこく しんしゅつ しんしょう しんしょく しんすい しんせつ しんたい しんたく しんちゅう しんちょく しんてい しんとう しんぼく しんぽう しんり
しんりゃく しんろう しーく しーふーど しーりんぐ じえい じかつ じきゅう じきょう じぎょう じけつ じしゅ じしゅく じしょく じせい じせき じぞく じっし じっしつ
じっしょう じつざい じはく じはーど じふ じめつ じゃっじ じゃぱにーず じゃぶ じゅうさつ じゅうし じゅうじ じゅうそく じゅうぞく じゅうとう じゅうふく じゅうりょう
じゅきゅう じゅくち じゅけい じゅこう じゅじゅ じゅせい じゅぞう じゅたい じゅたく じゅだく じゅちゅう じゅっかい じゅよう じゅり じゅりつ じゅりょう じゅんきょ
じゅんぎょう じゅんこう じゅんし じゅんしゅ じゅんしょく じゅんのう じょうい じょうこう じょうこく じょうしょう じょうじゅ じょうじょう じょうせい じょうせつ じょうぞう
じょうちゅう じょうちょ じょうと じょうほ じょうやく じょうよう じょうりく じょがい じょこう じょじゅつ じょせき じょそう じょめい じょりょく じんしゅ じんじ じんりょく
すいい すいけい すいこう すいし すいしょう すいじ すいじゃく すいたい すいてい すいとう すいりょう すうはい すえおき すくいず すじがき すじちがい すたいりんぐ
すてーたす すてーと すとろーく すとーる すぺくたくる すり すりっと すれーと ずし せいあつ せいいく せいきゅう せいきょ せいごう せいさい せいさく せいし せいしょう
せいしょく せいじゅく せいず せいせい せいそく せいたい せいたく せいつう せいてつ せいとう せいどう せいは せいまい せいやく せいりつ せいりょく せきさい せきはい
せしゅう せたい せっしゅ せっしょう せっそう せっち せっちゅう せっとう せっぱく せつじょく せつぼう せつりつ せぴあ せれなーで せんかい せんく せんけつ せんこう
せんこく せんざい せんし せんしゅう せんしょう せんじゅう せんぞく せんたりんぐ せんちゃく せんてい せんと せんどう せんにゅう せんのう せんばつ せんぱつ せんぷく
せんべつ せんぼつ せんゆう せんりゃく せんりょう ぜいこみ ぜいせい ぜいむしょ ぜいりし ぜいりつ ぜせい ぜっく ぜんかい ぜんき ぜんしょう ぜんち ぜんぱい ぜんやく
そうかい そうかつ そうがく そうきゅう そうぐう そうけい そうこう そうさい そうしつ そうしゅつ そうじょう そうせつ そうたい そうだつ そうちゃく そうてい そうとう
そうにゅう そうば そうふ そうほう そかい そかく そがい そくい そくし そくせい そくばい そくりょう そこいれ そし そしょう そせい そち そっき そっこう そつい そつう
そびょう そふとうえあ そりすと そろ そんかい そんぐ そんしょう そんぞく そんちょう そんりつ ぞうえき ぞうお ぞうがく ぞうきょう ぞうさつ ぞうし ぞうしゅう ぞうしょう
ぞうしょく ぞうせい ぞうせつ ぞうぜい ぞうだい ぞうてい ぞうとう ぞうはつ ぞうよ ぞうわい ぞくしゅつ ぞっこう たいえき たいか たいがい たいき たいきゃく たいきょ
たいきょく たいこう たいこく たいしゃ たいしゃく たいしゅう たいしょ たいじ たいせい たいせき たいとう たいとく たいどう たいのう たいはい たいひ たいべつ たいほ
たいよ たいりつ たかね たかまり たきだし たくいつ たくえつ たくしょく たくま たすう たなあげ たはつ たぶろいど たぼう たんきゅう たんさ たんさく たんせい たんそく
たんち たんぼう たんぽ たんらく たーげっと だいいちぎ だいぎ だいこう だいしょう だいとし だいなみずむ だかい だくと だけつ だこう だすう だたい だっかい だっきゃく
だっしゅ だっそう だったい だっぴ だつい だつぜい だつらく だて だとう だは だぼく だらく だんあつ だんがい だんこう だんごう だんじき だんぞく だんてい だんとう
ちく ちくざい ちくせき ちしつ ちすい ちたい ちっそく ちはい ちゃくい ちゃくしゅつ ちゃくしょく ちゃくふく ちゃくもく ちゃくよう ちゃっこう ちゃーと ちゅうかい
ちゅうかく ちゅうさい ちゅうざい ちゅうしゃく ちゅうしゅつ ちゅうしょう ちゅうぜつ ちゅうぞう ちゅうたい ちゅうちょ ちゅうにゅう ちゅうぶ ちゅうりつ ちゅうりゃく
ちゅうりゅう ちゆ ちょうえつ ちょうかい ちょうきょう ちょうけし ちょうこう ちょうざい ちょうしゅ ちょうしゅう ちょうぜい ちょうたつ ちょうてい ちょうはつ ちょうばつ
ちょうふ ちょうへい ちょうぼう ちょうやく ちょうるい ちょくえい ちょくげき ちょくし ちょくぞく ちょくつう ちょさく ちょしゃ ちょすい ちょっか ちょっかつ ちょっこう
ちんあげ ちんあつ ちんか ちんしゃ ちんしゃく ちんじゅつ ちんじょう ちんたい ちんちょう ちんれつ ついきゅう ついげき ついずい ついちょう ついで ついとう ついとつ
ついほう ついらく つうこく つうしょう つうたつ つうち つうほう つうよう ていか ていき ていきょう ていけい ていけつ ていさつ ていしゅつ ていしょう ていしょく ていじ
ていじゅう ていすう ていそ ていたい ていちゃく ていはく ていめい ていやく ていらく てがた てきかく てきごう てきしゅつ てきじ てきたい てきはつ てきよう てきれい
てだて てっかい てっきょ てっこう てっしゅう てったい てってい てっぱい てっぺい てなおし てなんと てのーる てろっぷ てわけ てんい てんか てんきょ てんこ てんこう
てんざい てんしゅつ てんじょう てんそう てんばい てんぷく てんぼう てんまんぐう てんめつ てんやく てんよう てんらく てーぴんぐ でぃふぇんす でいすい でかせぎ でき
できだか でっどひーと でなおし でばいす でぽじっと でめりっと でんか でんしょう でんそう でんたつ でんどう でーげーむ とうえい とうか とうかく とうかつ とうき
とうきゅう とうきょく とうぎ とうごう とうさい とうさく とうしゃ とうしょ とうじ とうすい とうせい とうせき とうそう とうたつ とうち とうちょう とうちょく とうにゅう
とうびょう とうほう とうぼう とうやく とうよ とうよう とうらい とうるい とうわく とえい とくしゃ とくせつ とくそく とくひつ とくひょう とくやく とこう とじょう とそう
とっき とっしゅつ とどけで とない とふ とらい とりさげ とりしまり とれんど とれーど とろ とんや どうい どうか どうぎょう どうこう どうこく どうさつ どうしつ どうしゃ
どうせい どうせき どうそう どうちょう どうふう どうりょく どきゅめんと どくさい どくさつ どくしょう どごう どっと どらっぐ どらふと どりーむ どんか どーぴんぐ ないがい
ないこう ないしょく ないじ ないせい ないだく ないてい ないほう ないや なかがい なかつぎ なかば なざし なっと なんか なんこう なんせい なんとう なんぶ にあげ にくはく
にっすう にのつぎ にゅあんす にゅうか にゅうかく にゅうさつ にゅうしつ にゅうしゅ にゅうしょ にゅうしょく にゅうせき にゅうとう にゅうばい にゅうまく にるいだ にんか
にんしき にんしょう にんち にんめい ねあがり ねさがり ねつぞう ねとまり ねまわし ねんし ねんちゃく ねんない ねーむ のいろーぜ のうこう のうし のうしゅく のうぜい
のうにゅう のうはう のうふ のきなみ のばなし のべ のるま のろい のんばんく のーさいど はあく はいき はいきゅう はいぎょう はいし はいしゃく はいしゅつ はいじょ
はいすい はいせき はいぜつ はいそ はいぞく はいた はいたい はいつ はいとう はいび はいらいと はいれぐ はいれつ はうじんぐ はき はきゅう はきょく はくがい はくげき
はくちゅう はじさらし はせい はたあげ はっか はっかく はっきゅう はっしょう はっちゃく はっちゅう はっちょう はっぽう はついく はつが はつどう はつれい はて はへい
はめつ はらいもどし はんえい はんきょう はんぎゃく はんけつ はんさよう はんしゅう はんしゅつ はんしょう はんすう はんそう はんてい はんにゅう はんぱつ はんぷ はんめい
はんも はんらく ばいか ばいかい ばいきゃく ばいしゃく ばいしゅう ばいしょう ばいぞう ばいばい ばいぱす ばいよう ばくげき ばくは ばくろ ばっさい ばっすい ばってぃんぐ
ばりうむ ばんしゃく ばんと ばんり ばーべる ぱっきんぐ ぱっと ぱどる ぱねりすと ぱぶ ぱるす ぱるぷ ぱーきんぐ ぱーく ぱーとたいむ ひありんぐ ひかえ ひがしがわ ひきあい
ひきあげ ひきさげ ひきわたし ひけつ ひさい ひしょ ひだい ひっちゃく ひつどく ひとまく ひへい ひぼう ひょうき ひょうぎ ひょうけつ ひょうちゃく ひょうはく ひょうめい
ひょうり ひょうりゅう ひりつ ひれい ひれき ひんぱつ ひんもく びか びこう びしょう びちく びどう びょうし びょうしゃ びりょう びんじょう ふぁいなる ふぁいなんす
ふぁんく ふうさ ふうし ふぇみにずむ ふか ふきゅう ふきょう ふくごう ふくしゃ ふくじゅう ふくちょう ふくみ ふこく ふごう ふしょく ふじょ ふじょう ふせき ふせつ ふぞく
ふたい ふちゃく ふっき ふっく ふっこく ふっしょく ふつご ふび ふふく ふゆう ふよ ふよう ふらっぐ ふり ふりだし ふりーず ふろあ ふわたり ふんがい ふんき ふんきゅう
ふんさい ふんしゃ ふんしゅつ ふんしょく ふんそう ふんとう ふんぱつ ふんべつ ぶかい ぶぎょう ぶじょく ぶそう ぶっく ぶとう ぶべつ ぶらんく ぶろんず ぶんかい ぶんかつ
ぶんき ぶんぎょう ぶんさつ ぶんじょう ぶんぱい ぶんぴつ ぶんぷ ぶんや ぶんり ぶんりつ ぶんれつ ぶーす ぷらいす ぷらんと ぷるとにうむ ぷれす ぷれみあむ ぷれーおふ
ぷろせす へいき へいごう へいさ へいせつ へいそく へいはつ へいまく へいよう へいりつ へいれつ へだたり へっどこーち へりうむ へんい へんかく へんけい へんさい
へんしつ へんじょう へんせい へんそう へんぞう へんたい へんちょう へんとう へんどう へんにゅう へんぼう へんよう へんれき べっきょ べにやいた べびーぶーむ べんがく
べんさい べんぴ べんめい べーすあっぷ ぺんくらぶ ほうい ほうえい ほうおう ほうか ほうかつ ほうが ほうげき ほうし ほうしゅつ ほうしょく ほうすい ほうせい ほうちく
ほうにち ほうのう ほうふく ほうべい ほうぼく ほうよう ほうらく ほうりゅう ほうわ ほかく ほきゅう ほきょう ほくじょう ほくせい ほさ ほしゃく ほしゅ ほしゅう ほじゅう
ほすてす ほすぴす ほせい ほそく ほっそく ほっぷ ほっぽう ほゆう ほよう ほりゅう ほろこーすと ほんい ほんいんぼう ほんごく ほんし ほんしゃ ほんそう ほんるいだ ほんろう
ほーぷ ぼう ぼうがい ぼうきゃく ぼうこう ぼうご ぼうじゅ ぼうちょう ぼうとう ぼうめい ぼうらく ぼくめつ ぼっき ぼっしゅう ぼっとう ぼつ ぼつらく ぽけっとべる ぽっぷす
ぽりす ぽるか まいきょ まいそう まいぞう まいぼつ まいんど まうえ まえがり まえだおし まえばらい まえぶれ まがり まけ ます ますめでぃあ まっさつ まっしょう
まねじめんと まらりあ まんえつ まんきつ まんさい まんびき まんりょう みえかくれ みすい みずから みずまし みせす みっこう みっしゅう みっちゃく みつばい みつやく みつゆ
みつりょう みとおし みとめ みどる みな みなみがわ みわく みんしゅ むざい むしょぞく むすびつき むそう むほう むら めいき めいじ めいぶんか めいめい めかにずむ
めじろおし めす めつぼう めど めべり めもりある めんしょく めんせき めんぜい めーんばんく もうこう もうしあわせ もうしいれ もうしで もうそう もうら もぎ もくさつ
もくそく もくとう もさく もぞう もだにずむ もちーふ もでむ もでるけーす もとくろす ものろーぐ もほう もんせき やくどう やけ やごう ゆうあい ゆうい ゆうかい ゆうぐう
ゆうごう ゆうし ゆうずう ゆうせい ゆうぜい ゆうたい ゆうち ゆうはつ ゆうへい ゆうぼく ゆうよ ゆうりょ ゆうわ ゆけつ ゆさぶり ゆちゃく ゆるし ゆーす ゆーろ よい
よういく ようかい ようご ようしゃ ようせい ようせつ ようぼう ようりつ よき よくあつ よくし よくせい よくりゅう よこばい よたく よっきゅう らいしゅう らいせんす
らいにち らいほう らうんど らくさつ らくらい らてんご られつ らんかく らんとう らんばい らんぱつ らんよう らんりつ りあげ りありずむ りきせつ りきゅう りこう りさげ
りし りしょく りだつ りちゃくりく りっきゃく りっしょう りっぷく りとう りとぐらふ りはつ りばうんど りべーと りま りゃくしょう りゅうき りゅうしゅつ りゅうにゅう
りゅうほ りゅうよう りょうしゅう りょうゆう りょかく りょかくき りんせつ りんぱ りんりつ りーす りーち るいけい るいじ るいすい るいせき るねさんす るねっさんす るろう
れいきゃく れいぐう れいしょう れいすい れいはい れきほう れくいえむ れげえ れじすたんす れっか れっきょ れっこく れってる れでぃ れとりっく れとると れふと れりーふ
れんが れんけい れんけつ れんこう れんごう れんさく れんざ れんしょう れんたい れんだ れんどう れんばい れんぱ れんぱい れんぱつ れんめい れんよう れんりつ れーべる
ろいやる ろうえい ろうすい ろうどう ろうひ ろご ろしゅつ ろてい ろんぎ ろんこく ろんせつ ろんそう ろんぴょう ろーどれーす わいや わかい わくぐみ わけ わへい わり
わりあて わんきょく
""".split())

INCLUDE_SHIRITORI = set("""
あいす あいてむ あいでぃあ あお あかんぼう あきち あきばれ あくせんと あご あし あしすたんと あしぶみ あじ あじわい あすぱらがす あすれちっく あそびば あたっく あたま
あつまり あと あとかたづけ あとがき あとつぎ あとまわし あどばいす あどれす あなうんす あに あね あぴーる あぶら あまだれ あまちゅあ あまのがわ あまやどり あみ
あみもの あめふり あめーば あらいもの あらし あり あるばいと あれんじ あわ あんこ あんこーる あんず あんてな あーす あーち あーと あーもんど いいかた いえ いきおい
いきかた いきがい いきごみ いきどまり いきもの いけ いけがき いけばな いこい いずみ いた いたみ いちご いちばんのり いぬ いのしし いのち いのちがけ いのり いびき
いめーじ いも いもうと いりぐち いれば いれもの いろ いろあい いろどり いわ いわい いわし いんき いんく いんち ういんく うぇいとれす うがい うくれれ うけとり
うけもち うし うしろ うしろすがた うず うずまき うそつき うた うちあげ うつわ うなぎ うま うめ うめぼし うら うらぎり うらどおり うりば うるし うろこ うーる
えあめーる えあろびくす えき えさ えだ えちけっと えっせい えなめる えのぐ えはがき えり えんじにあ おいかぜ おいたち おう おうぎ おおいそぎ おおかみ おおどおり
おおもり おか おかえし おかし おきて おきば おきゃくさま おくら おけ おこさま おさななじみ おしいれ おしえ おしえご おしぼり おしゃべり おじぎ おす おせいぼ おせじ
おたく おちつき おちば おつり おてあげ おてつだい おでこ おと おとうと おとこ おとしあな おとしだま おとしもの おどり おどりこ おどりば おなか おに おにぎり おねがい
おはなし おばけ おひる おび おふくろ おぺら おまいり おまもり おみこし おもいつき おもいやり おもて おもてどおり おや おやつ およぎ おれい おれんじ おわび おんな
おんぶ おーぷにんぐ かいいぬ かいぬし かうぼーい かえり かえりみち かえる かお かおだち かおなじみ かおぶれ かおみしり かかと かがみ かがやき かきことば かきごおり
かきぞめ かぎ かけごえ かけじく かけっこ かげ かざむき かしわ かすてら かすみ かず かせぎ かせっと かた かたがき かたこり かたち かたな かたまり かちまけ かっと
かつら かてごり かど かなしばり かなづかい かねもち かふぇ かふぇてりあ かぶと かべ かぼちゃ かま かまくら かみなり かめら かゆ から からす からだ かるしうむ かるた
かるてっと かれき かれは かわ かわら かんがえ かんづめ かんにんぐ かーと かーど かーぶ がいだんす がいど がけ がすますく がんばり がーぜ がーど きうい ききめ きく
きす きず きずな きた きっく きつね きづかい きのこ きのめ きぼり きまり きめて きゃく きゃっしゅ きゃっち きゃびあ きゃんせる きゃんでぃ きゃんどる きゃんぴんぐ
きゃんぷ きゅうり きゅろっと きょく きりくち きりぬき きりふだ きれあじ きんぐ ぎかい ぎきょく ぎし ぎしき ぎじどう ぎせい ぎふと ぎもんふ ぎゃっぷ ぎゅうにく
ぎゅうにゅう ぎょうぎ ぎょうじ ぎょぎょう ぎんいろ ぎんか ぎんが ぎんがみ くき くぎ くさ くさかり くさり くしゃみ くすり くせ くだりざか くち くちげんか くちこみ
くちばし くちびる くつ くに くび くびかざり くも くら くらやみ くり くりかえし くりすたる くりっく くりっぷ くりーにんぐ くりーむ くるま くれじっと くれーぷ くろ
くろす くろすわーど くろーる ぐらふ ぐらふぃっく ぐりっぷ ぐりる けしごむ けずりぶし けむり けもの けーす げき げすと げんこつ げーと こあら こえ こおり こがらし
こころ こころあたり こころざし こころみ こしかけ こすちゅーむ こすもす こたえ こたつ こっく こっくぴっと こてーじ こな こなみるく このは こぶし こぶら こめ こめんと
こよみ ころも こんてな こんとらばす こんどる こんぱす こんぴゅーた こーち ごちそう ごま ごーすと さいえんす さいくりんぐ さいくる さうんど さお さか さかだち
さがしもの さけびごえ ささ さしみ さすぺんす さそい さつまいも さとがえり さとり さばいばる さび さふぁいあ さまがわり さむさ さむらい さめ さら さらあらい さる
さんご さんど ざいせい ざいもく ざいりょう ざしき ざせき ざちょう ざっか ざっそう ざりがに ざんしょ しいたけ しぇぱーど しぇーく しずく しずけさ した したしみ
したじき しつけ しな しば しま しも しゃっくり しゃつ しゃぶしゃぶ しゃんでりあ しゃーべっと しゅーず しょっと しょっぴんぐ しょべる しょーつ しらせ しり しりあい
しる しるく しるし しろ しろっぷ しーつ じく じゃっき じゃんぐる じゃんぷ じゅく じょっき すいか すいがら すいんぐ すえ すえっこ すかうと すかーと すかーふ すがた
すき すききらい すきやき すきんしっぷ すぎ すくい すくらんぶる すくーる すけっち すけっと すこーる すじ すずめ すそ すたじあむ すたじお すだち すとあ すとっく
すとりーと すな すなっく すなっぷ すね すぱいす すぱげってぃ すぱっつ すぱーと すぴーち すべりだい すぺあ すぽっと すらいす すらいど すらっくす すりきず すーつ
すーつけーす ずいいち ずいしょ ずいひつ ずがら ずしき ずじょう ずつう ずのう ずひょう ずーむ せおよぎ せみ せらみっく せろてーぷ せんべい せーぶ ぜいたく ぜんあく
ぜんい ぜんしゅう ぜんそく ぜんちょう ぜんと ぜんりょく ぜんれい そっくす そで そと そなえ そば そぷらの そぼろ そよかぜ そら そーす ぞう ぞうき ぞうきばやし ぞうげ
ぞうに ぞうり ぞくご たい たいつ たいとる たいむ たから たからくじ たき たきしーど たこ たたみ たちよみ たっち たてつづけ たてふだ たな たに たね たば たべもの
たま たましい ためいき たる たれまく たわら たんす たんぼ だい だいえっと だいなまいと だいにんぐ だいやもんど だいやる だうんろーど だっこ だむ ちぇす ちぇろ
ちぇんじ ちから ちからだめし ちからもち ちけっと ちっぷ ちゃ ちゃのま ちゃのゆ ちゃぺる ちゃりてぃ ちゃれんじ ちょう ちょっき ちょーく ちらし ちーず ちーむわーく つえ
つかいかた つかいみち つぎ つくえ つくりばなし つくりわらい つち つつみ つづき つな つなひき つなわたり つの つば つばき つばさ つぶ つぼ つぼみ つまさき つみ
つみかさね つめ つゆあけ つよみ つりあい つりばり つりぼり つーる てぃっしゅ てぃんぱに ておくれ てがかり てごたえ てさぐり てさげ てすり てつ てぬぐい てのひら
てはじめ てびき てら てらす てんぷら でぃべーと できあがり でざーと でっき でーと といれっと とう とうげ とうもろこし とき とげ とこのま としあけ とじまり とって
となりあわせ とびら とぴっく ともかせぎ ともだおれ ともだち とら とらっく とらんくす とらんぷ とらんぺっと とり とりえ とりくみ とりっく とれーにんぐ とんかつ とんぼ
とーち どうあげ どく どしゃぶり どっじぼーる どみの どらいぶ どりぶる どりる どれす どろ どろっぷ どんぐり どんぶり どーむ ないと なえ なおし ながめ ながれ
ながれぼし なきがお なきごえ なぎさ なさけ なし なす なぞ なぞなぞ なつばて なつやすみ なまけもの なまり なみ なみだ なやみ なわとび なわばり におい にぎり
にぎりめし にく にげあし にげみち にじ にっくねーむ にわ ぬいぐるみ ぬいめ ぬいもの ぬか ぬかづけ ぬけがら ぬけみち ぬし ぬの ぬのじ ぬま ぬまち ぬめり ぬりえ
ぬりぐすり ぬるまゆ ぬれぎぬ ぬーどる ねうち ねがい ねがえり ねこ ねじ ねずみ ねっかちーふ ねっこ ねっと ねつ ねむり のう のき のこぎり のど のぼりざか のみもの
のり のりかえ のりば のりもの はい はいひーる はか はかま はかまいり はかり はきけ はげみ はこ はごたえ はし はしご はしら はじ はじまり はす はたけ はたらき
はたらきもの はだか はだざわり はちうえ はちみつ はっぱ はと はなしかた はなしことば はなしごえ はなびら はは はば はぶらし はま はむ はやし はやぶさ はら はらっぱ
はりがみ はるやすみ はれ はーと はーどる はーふ はーぷ ばいきんぐ ばけもの ばざーる ばっと ばにら ばね ばら ばらんす ばりけーど ばれりーな ばんど ばーこーど ぱい
ぱいなっぷる ぱいぷ ぱずる ぱとろーる ぱにっく ぱぱいや ぱらしゅーと ぱらそる ぱれっと ぱれーど ぱんく ぱんぷす ぱーてぃ ぱーと ぱーる ひかえしつ ひかり ひがし
ひきがね ひぐれ ひげ ひざ ひじ ひだり ひだりきき ひっと ひつじ ひと ひとごみ ひとさしゆび ひとだかり ひとどおり ひとみ ひとみしり ひとり ひとりごと ひなまつり
ひのいり ひので ひばり ひびき ひまつぶし ひめ ひやあせ ひよこ ひらおよぎ ひるさがり ひれ ひーた びおら びすけっと びょう びりやーど びんづめ びーず びーち びーふ
びーむ ぴあす ぴえろ ぴざ ぴらふ ぴらみっど ぴんせっと ぴんと ぴーす ぴーなっつ ふぁうる ふぃあんせ ふぃっと ふぃーるど ふえ ふきでもの ふく ふくろ ふすま ふた
ふっとぼーる ふで ふところ ふともも ふね ふもと ふゆやすみ ふらい ふらいと ふらめんこ ふりがな ふりこ ふるまい ふるーつ ふれあい ふれんど ふれーず ふれーむ
ふろーりんぐ ぶた ぶどう ぶらし ぶらっく ぶらんこ ぶるーす ぶれすれっと ぶれんど ぶれーき ぶろまいど ぶーけ ぶーつ ぷらぐ ぷりずむ ぷりんす ぷりんた ぷりんと
ぷれぜんと ぷろふぃーる ぷろぽーず ぷろろーぐ へあすたいる へそ へっどらいと へりぽーと べっそう べつめい べに べる べると べんごし べんとう べーじゅ ぺいんと ぺっと
ぺなんと ぺんき ぺんだんと ぺんち ぺーじ ほうれんそう ほお ほくろ ほし ほたる ほっぺた ほてる ほとけ ほね ほーむしっく ほーむすてい ほーむぺーじ ほーる ぼす ぼとる
ぼんおどり ぼーい ぼーど ぼーりんぐ ぼーる ぽえむ ぽたーじゅ ぽてと ぽにーてーる ぽーち ぽーる まかろに まがりかど まき まくあけ まくら まぐま まけいぬ まご まじっく
ますこっと ますたーど まちなみ まちぶせ まっさき まっとれす まっぷ まつ まど まどり まぼろし まめ まゆ まよねーず まらかす まりんば まりーな まる まるみ まんと
まんなか まんほーる まーち まーぶる みおぼえ みがわり みき みさいる みさき みじんぎり みす みず みずいらず みずうみ みずびたし みせ みせば みち みちのり みっくす
みつ みどころ みなと みなみ みならい みなり みにすかーと みにちゅあ みね みのり みはらし みぶり みみ みやこ みゅーじかる みらくる みわけ みんち むかえ むこう
むしよけ むすび むね むらさき むれ むーす めいど めぐみ めし めだる めつき めでぃあ めばえ めまい めも めもり もちいえ もちかえり もちぬし もちまえ もちもの もでる
ものおぼえ ものさし ものずき ものほし ものれーる もるたる もーど やきいも やきそば やきとり やきもち やけあと やすみ やすらぎ やど やなぎ やま やみ やり やりかた
やりがい やりくり やりなおし ゆうやけ ゆか ゆき ゆず ゆび ゆびきり ゆみ ゆめ ゆりかご ゆーもあ よこがき よしあし よそみ よそゆき よだれ よびかけ よびごえ よびな
よふけ よみもの よる よろい よろこび よわみ よーぐると らいす らいぶ らうんじ らく らじお らぶ らべる らむ らんち りくえすと りす りすと りぞっと りっとる
りばいばる りふぉーむ りゅう りらっくす りんご りーぐ りーる るっくす るび るり るーじゅ るーつ るーふ るーぷ るーむ れいんこーと れたす れぽーと れんじ れんたる
ろうそく ろば ろまんす ろーす ろーず ろーど ろーる わかめ わかれ わかれめ わき わぎり わけまえ わごむ わさび わざ わすれもの わた わたしぶね わたりどり わな わらい
わりばし わーど わーるど
""".split())
EXCLUDE_SHIRITORI = EXCLUDE_SHIRITORI_FAMILY | EXCLUDE_SHIRITORI_REGISTER

# Hand decisions on the バラバラ words. Every word the list would take was
# read; left out are words unfit for a family program, and rare, technical,
# business and news-register words a family would not enjoy (四半期,
# 公定歩合, ノンバンク); the next most common words take their places and
# were read in turn.
EXCLUDE_BARABARA_FAMILY = set("""
あっけ いじめ うんこ おしっこ おっぱい おなら ちんちん のろま やくざ エイズ ゲリラ ステロイド セックス ハンセン病 パチンコ ピストル マルクス主義
ライフル 万引き 不整脈 原水爆 受精卵 合併症 同性愛 天然痘 後遺症 心不全 心神耗弱 恥さらし 愚連隊 暴力団 更年期 核兵器 水俣病 泌尿器 火炎瓶
特攻隊 狭心症 産婦人科 男尊女卑 白血病 盲学校 絞首刑 肝硬変 肺結核 脳出血 脳卒中 腹膜炎 臆病者 自閉症 致命傷 血友病 覚醒剤 貧乏人 飢え死に
""".split())
EXCLUDE_BARABARA_REGISTER = set("""
あまり かぶれ すべて だいたい ついで なおざり アキレス腱 アトピー アナリスト アミノ酸 アルカリ性 イット イブニング インサイダー インドア
エコノミスト エックス線 オークス オーシャン カジノ カトレヤ カルテル カロチン カンタータ キリスト教 キーマン ギャング ギャンブル クラフト
クランクイン クリスチャン クーデター グループホーム ケープ コカイン コンコース コンドーム コンプレッサー サッシ サテライト サリン シリコーン
シンクタンク シングルス シンナー シンポジウム ジャズメン ジャーナリズム スクープ ステータス ステート ストローク スピードウェイ スポークスマン スルー
セクター セレナーデ センタリング ゼネコン ソフトウエア ソリスト テナー ディーラー デーゲーム トップニュース トレード ト長調 ドーピング ナイトクラブ
ニュースレター ニューメディア ネットプレー ノンバンク ハイビジョン ハウジング バランスシート バンカー バント バーディー パッキング パット パドル
パネリスト パルプ ビッグイベント ファイナンス ファンク フィーバー フォーラム フラッグ ブラウン管 ブランク ブローカー プッシュホン プライス
プライムレート プルトニウム プロセス プロモーション ヘッドコーチ ヘドロ ベースアップ ペスト ペンクラブ ホスピス ホップ ホワイトカラー ホープ
ホーマー ポケットベル マインド マスメディア マラリア マーケティング メモリアル メーンバンク モデム モデルケース ユース ユーロ ラウンド ラテン語
リアリズム リッターカー リース レジスタンス レトリック レンタルビデオ レーベル ロードレース 一人物 一元化 一騎打ち 三塁手 三塁打 上乗せ 上半期
上積み 下半期 下請け 不信任 不偏不党 不可侵 不始末 不成立 不払い 不渡り 不眠症 不祥事 不起訴 不退転 与野党 中国人 中性子 中継ぎ 中耳炎 主治医
乳幼児 事務次官 事実無根 二塁手 二塁打 二百二十日 二百十日 人民戦線 人間像 代理人 代議士 仮処分 伝染病 位置付け 作付け 信用組合 信用金庫
借り入れ 借入金 倶楽部 先取り 先送り 八千代 公定歩合 公文書 公社債 内出血 再検討 処方箋 出合い 出来高 切り下げ 切り捨て 刑務所 利上げ 利下げ
利回り 前倒し 前払い 副産物 副葬品 割り当て 助教授 助産婦 半官半民 半導体 卸売り 原住民 原子核 参事官 双生児 反作用 取り下げ 取締り 取締役
叙事詩 口利き 右中間 名乗り 名指し 四半期 四死球 国務大臣 国勢調査 国民総生産 地方自治体 報道陣 大動脈 大回転 大腸菌 大陸棚 大震災 天下り
天満宮 天皇陛下 妃殿下 妊産婦 婦女子 嫌がらせ 子会社 官公庁 宣教師 寄生虫 密入国 寝泊まり 対症療法 専守防衛 専門医 小児科 小売り 届け出 工学部
差し引き 差し止め 市議会 底入れ 府知事 引き上げ 引き下げ 引き合い 引き渡し 引き締め 当事者 後押し 御用邸 性教育 恐怖症 情報処理 慰霊祭 成人病
所在地 手立て 打ち切り 打合せ 投融資 持ち回り 据え置き 揺さぶり 改ざん 放射線 放射能 政務次官 教職員 整形外科 新生児 旗揚げ 既往症 日本紙
明文化 書記官 最恵国 有権者 有識者 未亡人 本因坊 本塁打 枠組み 栄養失調 株式会社 核分裂 核弾頭 根回し 格上げ 格付け 棚上げ 検事正 検察官
横ばい 歓楽街 此の前 死刑囚 気管支 水増し 求心力 法医学 法学部 法曹界 法治国 浄化槽 消息筋 為政者 無利子 無差別 無得点 無所属 無投票 無政府
無記名 理学部 理工学部 生化学 生態学 生理学 甲状腺 申し入れ 申し合わせ 町議会 症候群 発起人 白内障 白血球 皇太后 皮切り 目減り 目白押し 相談役
省エネルギー 看護婦 県知事 禅問答 私企業 私文書 税務署 税理士 穴埋め 立ち入り 立法府 第一義 第三国 管制塔 組み替え 総動員 総本山 総領事
繰り入れ 繰り延べ 耳鼻科 肩代わり 自治体 興信所 花柳界 荷揚げ 行き過ぎ 見え隠れ 見返り 親会社 言い渡し 話合い 財政難 買い付け 買い入れ 買い占め
買い得 賃上げ 資金繰り 贈収賄 超電導 軒並み 軟着陸 軽工業 輸出入 農学部 近代詩 迫撃砲 追っかけ 逆しま 過失致死 過渡期 適齢期 重加算税 重工業
野放し 門下生 開業医 開発元 開発途上国 間借り 非常勤 預貯金 頭打ち 駆け引き 高血圧 黙とう
""".split())
EXCLUDE_BARABARA = EXCLUDE_BARABARA_FAMILY | EXCLUDE_BARABARA_REGISTER
# The idioms, chosen by hand: four-character idioms (四字熟語) that an adult
# player would recognise, in three tiers by how well known they are (the
# first: known to everyone; the second: to most adults; the third: to adults
# who read). Candidates were EDICT's entries tagged "(yoji)" and its other
# four-kanji entries; plain compound nouns, obscure idioms and words unfit
# for a family program were left out, and of two spellings of one idiom only
# the usual one is kept. Every idiom must be in EDICT.
YOJI_TIERS = (
    """
    一石二鳥 一期一会 十人十色 自業自得 以心伝心 四苦八苦 七転八倒 七転八起 八方美人 順風満帆 言行一致 自画自賛 質実剛健 大胆不敵 用意周到 理路整然
    完全無欠 一生懸命 一所懸命 起承転結 喜怒哀楽 弱肉強食 温故知新 単刀直入 異口同音 油断大敵 絶体絶命 危機一髪 一心同体 一心不乱 右往左往 有言実行
    不言実行 無我夢中 半信半疑 電光石火 臨機応変 試行錯誤 大器晩成 因果応報 二束三文 三日坊主 五里霧中 針小棒大 適材適所 前代未聞 空前絶後 東奔西走
    馬耳東風 付和雷同 千差万別 一朝一夕 一長一短 一進一退 一喜一憂 一刀両断 一網打尽 一騎当千 一挙両得 一目瞭然 一件落着 一部始終 一日千秋 一念発起
    一攫千金 一触即発 十中八九 九死一生 四方八方 千載一遇 千変万化 百発百中 百戦錬磨 天真爛漫 天変地異 天下泰平 大同小異 大言壮語 大義名分 公明正大
    正々堂々 品行方正 清廉潔白 明鏡止水 花鳥風月 春夏秋冬 晴耕雨読 東西南北 老若男女 古今東西 和洋折衷 三寒四温 新進気鋭 意気投合 意気消沈 意気揚々
    意味深長 優柔不断 単純明快 自由自在 自給自足 自暴自棄 自問自答 自信満々 本末転倒 奇想天外 言語道断 抱腹絶倒 悪戦苦闘 孤軍奮闘 粉骨砕身 不眠不休
    不老不死 不可思議 無病息災 無理難題 無味乾燥 有名無実 才色兼備 文武両道 獅子奮迅 猪突猛進 竜頭蛇尾 画竜点睛 臥薪嘗胆 呉越同舟 四面楚歌 朝令暮改
    朝三暮四 羊頭狗肉 傍若無人 厚顔無恥 支離滅裂 取捨選択 心機一転 森羅万象 切磋琢磨 千客万来 前途洋々 全身全霊 相思相愛 多種多様 他力本願 津々浦々
    徹頭徹尾 天涯孤独 唯我独尊 難攻不落 二者択一 日進月歩 年功序列 波乱万丈 表裏一体 風光明媚 平身低頭 満場一致 満身創痍 唯一無二 勇猛果敢 悠々自適
    立身出世 良妻賢母 冷静沈着 和気藹々 我田引水 勧善懲悪 起死回生 疑心暗鬼 急転直下 興味津々 荒唐無稽 虎視眈々 三位一体 四捨五入 首尾一貫 初志貫徹
    正真正銘 神出鬼没 新陳代謝 誠心誠意 前人未到 大願成就 天下一品 二人三脚 半死半生 百花繚乱 不撓不屈 門外不出 紆余曲折 暗中模索 栄枯盛衰 諸行無常
    一致団結 五分五分 四六時中 名誉挽回 汚名返上 風林火山 家内安全 商売繁盛 一挙一動 喜色満面 得意満面 拍手喝采 中途半端 冠婚葬祭 山紫水明 終始一貫
    一言一句 一字一句 真剣勝負 自然淘汰 適者生存 十年一昔 三々五々 五臓六腑 五体満足 一刻千金 一汁一菜 一世一代 無茶苦茶 有耶無耶 海千山千 一国一城
    自分勝手 手前勝手 一体全体 三十六計 亭主関白 大和撫子 子々孫々 年々歳々 時々刻々 平々凡々 杓子定規 依怙贔屓 判官贔屓 慇懃無礼 我武者羅 遮二無二
    挙国一致 先祖代々 義理人情 二転三転 四季折々 私利私欲 手前味噌 人馬一体 医食同源 連戦連勝 三日天下 開口一番 生老病死 一本調子
    """,
    """
    天衣無縫 奇々怪々 茫然自失 無為無策 無知蒙昧 無芸大食 無念無想 有象無象 有為転変 容姿端麗 眉目秀麗 八面六臂 疾風迅雷 心頭滅却 信賞必罰 深謀遠慮
    前途有望 前途多難 善男善女 創意工夫 速戦即決 即断即決 率先垂範 多事多難 談論風発 沈思黙考 天上天下 同床異夢 独立独歩 内憂外患 破顔一笑 博覧強記
    白砂青松 薄利多売 美辞麗句 複雑怪奇 不倶戴天 平穏無事 変幻自在 本家本元 未来永劫 明々白々 面目躍如 流言飛語 粒々辛苦 和魂洋才 温厚篤実 隔靴掻痒
    頑固一徹 換骨奪胎 感慨無量 閑話休題 危急存亡 旧態依然 共存共栄 虚心坦懐 金科玉条 謹厳実直 空理空論 群雄割拠 鶏口牛後 堅忍不抜 捲土重来 乾坤一擲
    権謀術数 豪華絢爛 公平無私 行雲流水 巧言令色 極悪非道 孤立無援 誇大妄想 才気煥発 再三再四 残念無念 時期尚早 時代錯誤 七難八苦 縦横無尽 十年一日
    周章狼狽 主客転倒 純真無垢 情状酌量 笑止千万 少数精鋭 枝葉末節 人跡未踏 青天白日 責任転嫁 是々非々 切歯扼腕 先手必勝 戦々恐々 千篇一律 専売特許
    相互扶助 泰然自若 大同団結 断崖絶壁 直情径行 当意即妙 二律背反 日常茶飯 美人薄命 百家争鳴 百鬼夜行 夫唱婦随 文明開化 暴飲暴食 面従腹背 物見遊山
    夜郎自大 優勝劣敗 利害得失 離合集散 論功行賞 一意専心 一族郎党 一衣帯水 一宿一飯 一望千里 一蓮托生 一陽来復 一家団欒 一病息災 一問一答 一言居士
    一知半解 三拝九拝 四分五裂 五穀豊穣 九牛一毛 千辛万苦 千軍万馬 悪口雑言 阿鼻叫喚 安心立命 威風堂々 意気軒昂 雲散霧消 岡目八目 音信不通 快刀乱麻
    外交辞令 佳人薄命 艱難辛苦 驚天動地 器用貧乏 玉石混交 苦心惨憺 君子豹変 極楽浄土 国士無双 古色蒼然 三者三様 士農工商 色即是空 衆人環視 上意下達
    小心翼々 盛者必衰 生者必滅 思慮分別 人海戦術 人畜無害 頭寒足熱 青息吐息 全知全能 前後不覚 大安吉日 大山鳴動 他人行儀 知行合一 直立不動 天下無双
    天罰覿面 難行苦行 博学多才 反面教師 悲喜交々 富国強兵 不老長寿 無理無体 名所旧跡 滅私奉公 門戸開放 融通無碍 余裕綽々 力戦奮闘 四角四面 九分九厘
    百戦百勝 千紫万紅 万物流転 万古不易 先憂後楽 曖昧模糊 欣喜雀躍 狂喜乱舞 呵々大笑 意気阻喪 自縄自縛 牽強付会 侃々諤々 喧々囂々 議論百出 賛否両論
    一気呵成 豪放磊落 熟慮断行 勇往邁進 多芸多才 古今無双 故事来歴 質素倹約 無欲恬淡 輪廻転生 魑魅魍魎 怪力乱神 会者定離 天地神明 精神一到 一瀉千里
    八面玲瓏 三々九度 百人百様 恐悦至極 意志薄弱 気宇壮大 公私混同 粗製濫造 準備万端 用意万端 勝手気儘 自由気儘 無理矢理 滅茶苦茶 乱暴狼藉 深山幽谷
    春風駘蕩 一日一善 笑門来福 夫婦円満 家庭円満 子孫繁栄 豊年満作 天下無敵 心願成就 純情可憐 明朗快活 元気溌剌 奮闘努力 刻苦勉励 一罰百戒 自由奔放
    自由闊達 勇気凛々 悪逆無道 人生行路 不届千万 無為徒食
    """,
    """
    九十九折 丁々発止 二六時中 不立文字 真一文字 愛別離苦 一子相伝 白河夜船 島国根性 経世済民 牛飲馬食 物々交換 千両役者 月下氷人 人事不省 金城鉄壁
    免許皆伝 極楽往生 舌先三寸 虚々実々 生殺与奪 即身成仏 一粒万倍 行住坐臥 不承不承 秋霜烈日 気炎万丈 妖怪変化 栄耀栄華 人面獣心 徒手空拳 百折不撓
    合従連衡 鎧袖一触 孟母三遷 軽挙妄動 気息奄々 渾然一体 偕老同穴 山川草木 面目一新 天地万物 牛頭馬頭 真実一路 神色自若 四書五経 歌舞音曲 悪事千里
    軽薄短小 六道輪廻 多士済々 常在戦場 無礼千万 諸子百家 自力本願 分不相応 身分相応 種々雑多 隠忍自重 物情騒然 前人未踏 忠君愛国 聖人君子 諸説紛々
    手練手管 六根清浄 自力更生 伸縮自在 異体同心 中肉中背 公正無私 則天去私 独立自尊 独断専行 和顔愛語 衣冠束帯 有害無益 王政復古 落花狼藉 光風霽月
    福徳円満 余韻嫋々 苦学力行 天下御免 二枚看板 後生大事 一杯機嫌 滅多矢鱈 暗中飛躍 天長地久 石部金吉 曲学阿世 一言一行
    """,
)
# For every idiom that EDICT gives more than one reading, the reading chosen
# by hand (the usual one, as general dictionaries give it); it must be one of
# EDICT's readings.
YOJI_READINGS = {
    "七転八倒": "しちてんばっとう", "七転八起": "しちてんはっき", "順風満帆": "じゅんぷうまんぱん",
    "異口同音": "いくどうおん", "千差万別": "せんさばんべつ", "一日千秋": "いちじつせんしゅう",
    "十中八九": "じっちゅうはっく", "老若男女": "ろうにゃくなんにょ", "画竜点睛": "がりょうてんせい",
    "千客万来": "せんきゃくばんらい", "津々浦々": "つつうらうら", "唯一無二": "ゆいいつむに",
    "大願成就": "たいがんじょうじゅ", "一世一代": "いっせいちだい", "自分勝手": "じぶんかって",
    "時々刻々": "じじこっこく", "判官贔屓": "ほうがんびいき", "三日天下": "みっかてんか",
    "一本調子": "いっぽんちょうし", "白砂青松": "はくしゃせいしょう", "未来永劫": "みらいえいごう",
    "面目躍如": "めんもくやくじょ", "共存共栄": "きょうそんきょうえい", "捲土重来": "けんどちょうらい",
    "十年一日": "じゅうねんいちじつ", "主客転倒": "しゅかくてんとう", "百鬼夜行": "ひゃっきやこう",
    "一言居士": "いちげんこじ", "四分五裂": "しぶんごれつ", "九牛一毛": "きゅうぎゅうのいちもう",
    "安心立命": "あんしんりつめい", "音信不通": "おんしんふつう", "上意下達": "じょういかたつ",
    "盛者必衰": "じょうしゃひっすい", "大安吉日": "たいあんきちじつ", "天下無双": "てんかむそう",
    "滅私奉公": "めっしほうこう", "融通無碍": "ゆうずうむげ", "古今無双": "ここんむそう",
    "輪廻転生": "りんねてんしょう", "怪力乱神": "かいりょくらんしん", "悪逆無道": "あくぎゃくむどう",
    "不立文字": "ふりゅうもんじ", "白河夜船": "しらかわよふね", "栄耀栄華": "えいようえいが",
    "人面獣心": "じんめんじゅうしん", "面目一新": "めんもくいっしん", "多士済々": "たしせいせい",
}

HIRAGANA_FIRST, HIRAGANA_LAST = 0x3041, 0x3096
LONG_MARK = "\u30fc"
ITERATION_MARK = "\u3005"
SMALL_KANA = set("ぁぃぅぇぉゃゅょゎっ\u3095\u3096")
FOLD_SMALL = dict(zip("ぁぃぅぇぉゃゅょ", "あいうえおやゆよ"))
BAD_LAST_KANA = set("んっゎゐゑ\u3095\u3096")
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

def chain_kana(word):
    """The kana the next word must start with: the last one, small kana
    folded to their large form as the game does."""
    return FOLD_SMALL.get(word[-1], word[-1])


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
    return cp932_ok(reading)


def noun_readings(entries, nouns):
    """The readings of every EDICT noun, common or not, that IPAdic has as an
    ordinary noun with that reading: the words INCLUDE_SHIRITORI may name."""
    readings = set()
    for e in entries:
        if e.first_pos != "n" or not acceptable(e):
            continue
        reading = to_hiragana(e.reading)
        if reading in nouns.get(e.surface, {}) or reading in nouns.get(e.reading, {}):
            readings.add(reading)
    return readings


def make_shiritori(candidates, known_readings):
    """The reviewed most common words that were not left out, and the words
    included by hand, in order of rank. Then, until nothing changes, every
    word is dropped whose chain kana fewer than SHIRITORI_MIN_STARTS words
    start with, so that a chain can always go on."""
    ranked = []
    seen = set()
    for candidate in candidates:
        reading = candidate.reading
        if reading not in seen and shiritori_word_ok(reading):
            seen.add(reading)
            ranked.append(reading)
    reviewed = ranked[:SHIRITORI_REVIEWED]
    for word in sorted(INCLUDE_SHIRITORI):
        if word in reviewed or word in EXCLUDE_SHIRITORI:
            sys.exit("%s is reviewed or left out and cannot be included" % word)
        if word not in known_readings or not shiritori_word_ok(word):
            sys.exit("%s is no EDICT and IPAdic noun fit for しりとり" % word)
    position = {word: i for i, word in enumerate(ranked)}
    chosen = [w for w in reviewed if w not in EXCLUDE_SHIRITORI]
    chosen += INCLUDE_SHIRITORI
    chosen.sort(key=lambda w: (position.get(w, len(ranked)), w))
    while True:
        starts = collections.Counter(w[0] for w in chosen)
        kept = [w for w in chosen if starts[chain_kana(w)] >= SHIRITORI_MIN_STARTS]
        if len(kept) == len(chosen):
            return chosen
        chosen = kept


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
    if not reading or not all(is_hiragana(c) for c in reading):
        return False
    return cp932_ok(idiom + "\u3000" + reading)


def make_yoji(entries, anything):
    """One line for each idiom of YOJI_TIERS: the idiom, an ideographic space
    and its reading from EDICT (YOJI_READINGS where EDICT has several). The
    tiers come in order; within a tier the idioms IPAdic knows come first,
    the most common first (lowest cost), then the others in the order of
    the tier."""
    readings = collections.defaultdict(set)
    for e in entries:
        if len(e.surface) == 4 and not e.all_tags & BAD_ANYWHERE:
            readings[e.surface].add(to_hiragana(e.reading))
    lines = []
    for tier in YOJI_TIERS:
        ranked = []
        for position, idiom in enumerate(tier.split()):
            known = readings.get(idiom)
            if not known:
                sys.exit("%s is not in EDICT" % idiom)
            reading = YOJI_READINGS.get(idiom)
            if reading is None and len(known) == 1:
                reading = next(iter(known))
            if reading not in known or not yoji_ok(idiom, reading):
                sys.exit("no reading chosen for %s among %s" % (idiom, sorted(known)))
            cost = anything.get(idiom, {}).get(reading)
            ranked.append(((cost is None, cost or 0, position), idiom + "\u3000" + reading))
        lines.extend(line for _, line in sorted(ranked))
    return lines


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

    shiritori = make_shiritori(candidates, noun_readings(entries, nouns))
    barabara = make_barabara(candidates)
    yoji = make_yoji(entries, anything)
    if len(yoji) < YOJI_MIN:
        sys.exit("only %d idioms found" % len(yoji))

    os.makedirs(args.out, exist_ok=True)
    write_list(args.out, SHIRITORI_FILE, shiritori)
    write_list(args.out, BARABARA_FILE, barabara)
    write_list(args.out, YOJI_FILE, yoji)

    if args.report:
        print("%s: %d words" % (SHIRITORI_FILE, len(shiritori)))
        starts = collections.Counter(w[0] for w in shiritori)
        ends = collections.Counter(chain_kana(w) for w in shiritori)
        print("  chain kana: words ending / starting with it:")
        print("  " + " ".join("%s%d/%d" % (k, ends[k], starts[k]) for k in sorted(ends)))
        kinds = collections.Counter(script_kind(w) for w in barabara)
        print("%s: %d words %s" % (BARABARA_FILE, len(barabara), dict(sorted(kinds.items()))))
        print("%s: %d idioms" % (YOJI_FILE, len(yoji)))


if __name__ == "__main__":
    main()
