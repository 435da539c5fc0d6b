#!/usr/bin/env python3
"""Builds the question pools the program reads from their JSON sources.

Every tools/pools/*.json names the pool file it belongs to ("file"). Several
sources may feed one pool: they are taken in file-name order, one of them
carries the header (title, passMark, examLength) and each adds its sections.
The result is written to resources/<file> in the program's positional pool
format: one value per line, LF line ends, every line terminated, UTF-8.

    python3 tools/make_pools.py            validate and write every pool
    python3 tools/make_pools.py --check    validate only, write nothing

A pool that fails validation is not written; the findings name the source file
and the question, and the exit status is 1.
"""

import argparse
import glob
import json
import os
import re
import sys
import tempfile

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
REPO_DIR = os.path.dirname(TOOLS_DIR)

# The six pool files the program knows, by examination class.
POOL_FILES = (
    "TechFile.txt",
    "GeneralFile.txt",
    "ExtraFile.txt",
    "fccelement1.txt",
    "fccelement8.txt",
    "fccelement3.txt",
)

# The program keeps at most this many questions and sections per pool, and a
# drawn exam has room for at most this many questions.
MAX_QUESTIONS = 1000
MAX_SECTIONS = 100
MAX_EXAM_LENGTH = 200

# Figure labels as drawn on the pictures (tools/figures/CATALOGUE.md).
FIGURE_NUMBERS = {"T-1": 1001, "T-2": 1002, "T-3": 1003, "G-1": 1004}
FIGURE_NUMBERS.update({"E-%d" % n: 1004 + n for n in range(1, 11)})
FIGURE_NUMBERS.update({"C-1": 1015, "C-2": 1016})
FIGURE_LABEL_OF = {number: label for label, number in FIGURE_NUMBERS.items()}

FIGURE_CITATION = re.compile(r"\bfigures?\s+([A-Za-z])\s*-\s*(\d+)", re.IGNORECASE)

# Groups whose questions rest on rules (FCC Parts 97, 80, 13, treaties): the
# amateur T1, G1 and E1 groups, the whole of Element 1, and the rules groups
# of Elements 3 and 8. Their questions cite the rule they rest on.
RULES_GROUP = re.compile(r"^(?:[TGE]1[A-Z]|1[A-Z]|3A|8J)\b")


class PoolError(Exception):
    """A finding that keeps a pool from being written."""


def text_problem(text):
    """Why a text cannot stand on one pool line, or None when it can."""
    if not isinstance(text, str):
        return "is not a text"
    if text == "":
        return "is empty"
    if "\n" in text or "\r" in text:
        return "contains a line break"
    for character in text:
        if ord(character) < 32 or ord(character) == 127:
            return "contains the control character %r" % character
    if text != text.strip():
        return "has leading or trailing whitespace"
    if "  " in text:
        # Answers have their runs of spaces collapsed on reading; keep every
        # text as it will be shown.
        return "has two spaces in a row"
    try:
        text.encode("utf-8")
    except UnicodeEncodeError:
        return "is not valid Unicode"
    return None


def whole_number(value):
    return isinstance(value, int) and not isinstance(value, bool)


def cited_figures(texts):
    """The figure labels ("T-1", "E-10", ...) that the texts name."""
    labels = []
    for text in texts:
        if not isinstance(text, str):
            continue
        for letter, number in FIGURE_CITATION.findall(text):
            labels.append("%s-%d" % (letter.upper(), int(number)))
    return labels


class Question:
    def __init__(self, source, section_label, data):
        self.source = source
        self.rules_group = bool(RULES_GROUP.match(section_label))
        self.section_label = section_label
        self.data = data if isinstance(data, dict) else {}
        code = self.data.get("code")
        self.code = code if isinstance(code, str) else ""
        self.where = "%s, section %r, question %s" % (
            source, section_label, self.code if self.code else "(no code)")
        self.problems = []
        self._validate(data)

    def _problem(self, message):
        self.problems.append("%s: %s" % (self.where, message))

    def _validate(self, data):
        if not isinstance(data, dict):
            self._problem("is not an object")
            return
        unknown = sorted(set(data) - {"code", "figure", "question", "correct", "wrong", "rule"})
        if unknown:
            self._problem("unknown keys %s" % ", ".join(unknown))
        self._validate_rule(data.get("rule"))
        why = text_problem(data.get("code"))
        if why:
            self._problem("code %s" % why)
        elif re.search(r"\s", self.code):
            self._problem("code contains whitespace")
        why = text_problem(data.get("question"))
        if why:
            self._problem("question text %s" % why)
        why = text_problem(data.get("correct"))
        if why:
            self._problem("correct answer %s" % why)
        wrong = data.get("wrong")
        if not isinstance(wrong, list) or len(wrong) != 3:
            self._problem("needs exactly three wrong answers")
        else:
            for index, answer in enumerate(wrong, 1):
                why = text_problem(answer)
                if why:
                    self._problem("wrong answer %d %s" % (index, why))
            answers = [data.get("correct")] + wrong
            if all(isinstance(a, str) for a in answers):
                folded = [a.strip().casefold() for a in answers]
                if len(set(folded)) != 4:
                    self._problem("two of its answers are the same")
        self._validate_figure(data)

    def _validate_rule(self, rule):
        # The rule a question rests on is for its reviewers; the pool file
        # does not carry it.
        if rule is None:
            self._problem("has no \"rule\" (the rule section it rests on, or \"none\")")
            return
        why = text_problem(rule)
        if why:
            self._problem("rule %s" % why)
        elif self.rules_group and rule.casefold() == "none":
            self._problem("is in a rules group but cites no rule")

    def _validate_figure(self, data):
        figure = data.get("figure", 0)
        if not whole_number(figure) or not (figure == 0 or 1001 <= figure <= 1016):
            self._problem("figure %r is neither 0 nor 1001 to 1016" % (figure,))
            return
        texts = [data.get("question"), data.get("correct")]
        if isinstance(data.get("wrong"), list):
            texts += data["wrong"]
        cited = cited_figures(texts)
        for label in cited:
            if label not in FIGURE_NUMBERS:
                self._problem("cites Figure %s, which does not exist" % label)
            elif FIGURE_NUMBERS[label] != figure:
                self._problem("cites Figure %s (figure %d) but has figure %d"
                              % (label, FIGURE_NUMBERS[label], figure))
        if figure != 0 and not cited:
            self._problem("has figure %d but does not name Figure %s in its text"
                          % (figure, FIGURE_LABEL_OF[figure]))

    def answers(self, correct_position):
        """The four answers with the correct one at correct_position (1 to 4)."""
        wrong = list(self.data["wrong"])
        return wrong[:correct_position - 1] + [self.data["correct"]] + wrong[correct_position - 1:]


class Section:
    def __init__(self, source, data):
        self.source = source
        self.data = data if isinstance(data, dict) else {}
        label = self.data.get("label")
        self.label = label if isinstance(label, str) else ""
        self.draw = self.data.get("draw")
        self.problems = []
        self.questions = []
        where = "%s, section %r" % (source, self.label if self.label else "(no label)")
        if not isinstance(data, dict):
            self.problems.append("%s: is not an object" % where)
            return
        unknown = sorted(set(data) - {"label", "draw", "questions"})
        if unknown:
            self.problems.append("%s: unknown keys %s" % (where, ", ".join(unknown)))
        why = text_problem(data.get("label"))
        if why:
            self.problems.append("%s: label %s" % (where, why))
        if not whole_number(self.draw) or self.draw < 0:
            self.problems.append("%s: draw %r is not a whole number of 0 or more" % (where, self.draw))
            self.draw = 0
        questions = data.get("questions")
        if not isinstance(questions, list) or not questions:
            self.problems.append("%s: has no questions" % where)
            return
        for entry in questions:
            question = Question(source, self.label, entry)
            self.questions.append(question)
            self.problems.extend(question.problems)
        if self.draw > len(self.questions):
            self.problems.append("%s: draws %d questions but holds only %d"
                                 % (where, self.draw, len(self.questions)))


class Pool:
    def __init__(self, file_name):
        self.file = file_name
        self.sources = []
        self.header = None          # (source, title, passMark, examLength)
        self.sections = []
        self.problems = []

    def add_source(self, source, data):
        self.sources.append(source)
        unknown = sorted(set(data) - {"file", "title", "passMark", "examLength", "sections"})
        if unknown:
            self.problems.append("%s: unknown keys %s" % (source, ", ".join(unknown)))
        header_keys = [key for key in ("title", "passMark", "examLength") if key in data]
        if header_keys:
            if len(header_keys) != 3:
                self.problems.append("%s: a header needs title, passMark and examLength together" % source)
            header = (source, data.get("title"), data.get("passMark"), data.get("examLength"))
            if self.header is None:
                self.header = header
            elif self.header[1:] != header[1:]:
                self.problems.append("%s: its header differs from the one in %s"
                                     % (source, self.header[0]))
        sections = data.get("sections")
        if not isinstance(sections, list):
            self.problems.append("%s: \"sections\" is missing or not a list" % source)
            return
        for entry in sections:
            section = Section(source, entry)
            self.sections.append(section)
            self.problems.extend(section.problems)

    def validate(self):
        problems = self.problems
        if self.header is None:
            problems.append("%s: no source gives title, passMark and examLength (sources: %s)"
                            % (self.file, ", ".join(self.sources)))
            return problems
        source, title, pass_mark, exam_length = self.header
        why = text_problem(title)
        if why:
            problems.append("%s: title %s" % (source, why))
        if not whole_number(exam_length) or exam_length < 1:
            problems.append("%s: examLength %r is not a whole number above 0" % (source, exam_length))
        elif exam_length > MAX_EXAM_LENGTH:
            problems.append("%s: examLength %d is more than %d" % (source, exam_length, MAX_EXAM_LENGTH))
        if not whole_number(pass_mark) or pass_mark < 1:
            problems.append("%s: passMark %r is not a whole number above 0" % (source, pass_mark))
        elif whole_number(exam_length) and pass_mark > exam_length:
            problems.append("%s: passMark %d is more than examLength %r" % (source, pass_mark, exam_length))

        if not self.sections:
            problems.append("%s: has no sections" % self.file)
        if len(self.sections) > MAX_SECTIONS:
            problems.append("%s: has %d sections, more than %d"
                            % (self.file, len(self.sections), MAX_SECTIONS))
        total = sum(len(section.questions) for section in self.sections)
        if total > MAX_QUESTIONS:
            problems.append("%s: has %d questions, more than %d" % (self.file, total, MAX_QUESTIONS))
        draws = sum(section.draw for section in self.sections)
        if draws > MAX_EXAM_LENGTH:
            problems.append("%s: the draws add up to %d, more than %d" % (self.file, draws, MAX_EXAM_LENGTH))
        if whole_number(exam_length) and draws != exam_length:
            problems.append("%s: examLength is %d but the draws add up to %d"
                            % (self.file, exam_length, draws))

        first_seen = {}
        for section in self.sections:
            for question in section.questions:
                if not question.code:
                    continue
                if question.code in first_seen:
                    problems.append("%s: code used again (first in %s)"
                                    % (question.where, first_seen[question.code]))
                else:
                    first_seen[question.code] = question.where
        labels = {}
        for section in self.sections:
            if section.label in labels and section.label:
                problems.append("%s: section label %r used twice" % (section.source, section.label))
            labels[section.label] = True
        return problems

    def correct_positions(self):
        """Where each question's correct answer goes, in pool order.

        Each position 1 to 4 takes a quarter of the pool, give or take one, in
        an order shuffled by a generator seeded from the file name, so every
        run places every answer the same way.
        """
        count = sum(len(section.questions) for section in self.sections)
        positions = [1 + index % 4 for index in range(count)]
        generator = SplitMix64(fnv1a(self.file.encode("utf-8")))
        for index in range(count - 1, 0, -1):
            other = generator.below(index + 1)
            positions[index], positions[other] = positions[other], positions[index]
        return positions

    def render(self):
        """The pool file's text."""
        _, title, pass_mark, exam_length = self.header
        lines = [str(pass_mark), str(exam_length), title, str(len(self.sections))]
        number = 1
        for section in self.sections:
            first = number
            last = number + len(section.questions) - 1
            lines.append("%d %d %d" % (section.draw, first, last))
            number = last + 1
        lines.extend(section.label for section in self.sections)
        positions = iter(self.correct_positions())
        for section in self.sections:
            for question in section.questions:
                position = next(positions)
                lines.append(question.data["question"])
                lines.append(str(position))
                lines.append(str(question.data.get("figure", 0)))
                lines.extend(question.answers(position))
                lines.append(question.code)
        return "".join(line + "\n" for line in lines)


def fnv1a(data):
    value = 0xCBF29CE484222325
    for byte in data:
        value = ((value ^ byte) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return value


class SplitMix64:
    """A small generator of our own, so the output never depends on which
    Python version shuffles."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFFFFFFFFFF

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & 0xFFFFFFFFFFFFFFFF
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & 0xFFFFFFFFFFFFFFFF
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & 0xFFFFFFFFFFFFFFFF
        return z ^ (z >> 31)

    def below(self, bound):
        # Rejection keeps the pick even for any bound.
        limit = (1 << 64) - (1 << 64) % bound
        while True:
            value = self.next()
            if value < limit:
                return value % bound


def load_pools(source_dir):
    """The pools named by the sources, in POOL_FILES order, and the findings
    that concern no single pool."""
    pools = {}
    problems = []
    sources = sorted(glob.glob(os.path.join(source_dir, "*.json")), key=os.path.basename)
    if not sources:
        problems.append("%s: no *.json pool sources" % source_dir)
    for path in sources:
        source = os.path.basename(path)
        try:
            with open(path, "rb") as handle:
                data = json.loads(handle.read().decode("utf-8"))
        except (OSError, UnicodeDecodeError, ValueError) as error:
            problems.append("%s: cannot be read: %s" % (source, error))
            continue
        if not isinstance(data, dict):
            problems.append("%s: is not a JSON object" % source)
            continue
        file_name = data.get("file")
        if file_name not in POOL_FILES:
            problems.append("%s: \"file\" is %r, not one of %s" % (source, file_name, ", ".join(POOL_FILES)))
            continue
        pools.setdefault(file_name, Pool(file_name)).add_source(source, data)
    ordered = [pools[name] for name in POOL_FILES if name in pools]
    return ordered, problems


def write_atomically(path, data):
    folder = os.path.dirname(path)
    handle, temporary = tempfile.mkstemp(prefix=".pool-", dir=folder)
    try:
        with os.fdopen(handle, "wb") as stream:
            stream.write(data)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        if os.path.exists(temporary):
            os.unlink(temporary)
        raise


def main(argv=None):
    parser = argparse.ArgumentParser(description="Build the question pools from their JSON sources.")
    parser.add_argument("--check", action="store_true", help="validate only; write nothing")
    parser.add_argument("--sources", default=os.path.join(TOOLS_DIR, "pools"),
                        help="folder of the *.json sources (default: tools/pools)")
    parser.add_argument("--output", default=os.path.join(REPO_DIR, "resources"),
                        help="folder the pool files go to (default: resources)")
    arguments = parser.parse_args(argv)

    pools, problems = load_pools(arguments.sources)
    failed = bool(problems)
    for problem in problems:
        print("error: " + problem, file=sys.stderr)

    for pool in pools:
        findings = pool.validate()
        if findings:
            failed = True
            for finding in findings:
                print("error: " + finding, file=sys.stderr)
            print("%s: not written (%d problems)" % (pool.file, len(findings)), file=sys.stderr)
            continue
        data = pool.render().encode("utf-8")
        positions = pool.correct_positions()
        spread = "/".join(str(positions.count(p)) for p in range(1, 5))
        count = len(positions)
        summary = "%s: %d sections, %d questions, correct answers at 1/2/3/4: %s" % (
            pool.file, len(pool.sections), count, spread)
        target = os.path.join(arguments.output, pool.file)
        if arguments.check:
            try:
                with open(target, "rb") as handle:
                    current = handle.read()
            except OSError:
                current = None
            state = "up to date" if current == data else "differs from the sources; run without --check"
            print("%s (%s: %s)" % (summary, target, state))
        else:
            os.makedirs(arguments.output, exist_ok=True)
            write_atomically(target, data)
            print("%s -> %s" % (summary, target))

    missing = [name for name in POOL_FILES if name not in {pool.file for pool in pools}]
    if missing:
        print("note: no sources yet for %s" % ", ".join(missing), file=sys.stderr)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
