#!/usr/bin/env python3
"""Play random しりとり chains over the delivered word list and report how
often a chain gets stuck.

The computer picks its words as the game does: among all entries that begin
with the chain kana of the player's word (the word's last kana, small kana
folded to their large form), one at random, a word it used before included;
when there is none, the player's own word becomes the current word. The
player stands in for a person who knows only the dictionary: it answers with
a random entry that begins with the chain kana of the current word, that it
has not used in this play and that the game accepts (not ending in "ん" or
"ー"). A chain is stuck when the player has no such answer left, which is what
happens after the computer plays a word ending in "ん" or "ー".

    python3 tools/dictionaries/simulate_shiritori.py [--chains N] [--answers N]
                                                     [--seed N] [--list FILE]

It prints the share of chains that got stuck within the given number of
answers. It needs only the Python 3 standard library; the same seed gives the
same figure.
"""

import argparse
import collections
import os
import random

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_LIST = os.path.join(REPO, "data", "delivered", "しりとり辞書.txt")

FOLD = dict(zip("ぁぃぅぇぉゃゅょ", "あいうえおやゆよ"))


def chain_kana(word):
    return FOLD.get(word[-1], word[-1])


def accepted_answer(word):
    return not word.endswith(("ん", "ー"))


def read_words(path):
    with open(path, encoding="utf-8") as f:
        return [line.strip() for line in f if line.strip()]


def play_chain(words, by_first, answers, rng):
    """Plays one chain; returns True when the player got stuck within the
    given number of answers."""
    current = words[rng.randrange(len(words))]
    used = set()
    for _ in range(answers):
        choices = [w for w in by_first.get(chain_kana(current), [])
                   if w not in used and accepted_answer(w)]
        if not choices:
            return True
        answer = rng.choice(choices)
        used.add(answer)
        replies = by_first.get(chain_kana(answer), [])
        current = rng.choice(replies) if replies else answer
    return False


def stuck_share(words, chains, answers, seed):
    by_first = collections.defaultdict(list)
    for word in words:
        by_first[word[0]].append(word)
    rng = random.Random(seed)
    stuck = sum(play_chain(words, by_first, answers, rng) for _ in range(chains))
    return stuck / chains


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--list", default=DEFAULT_LIST)
    parser.add_argument("--chains", type=int, default=10000)
    parser.add_argument("--answers", type=int, default=10)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    words = read_words(args.list)
    share = stuck_share(words, args.chains, args.answers, args.seed)
    print("%d words; %d chains; stuck within %d answers: %.1f%%"
          % (len(words), args.chains, args.answers, 100.0 * share))


if __name__ == "__main__":
    main()
