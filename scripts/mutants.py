#!/usr/bin/env python3
"""The faults scripts/mutants puts into the code one at a time, and the runner that does it.

Each fault is a few exact text replacements in product files and the ctest names that must fail
while it is in. A replacement whose original text is not found exactly once is reported as stale:
the code moved on, and the row needs pointing at the new text. Keep the originals short and free of
include lines and namespace names, so that moving a file or renaming a namespace leaves them valid.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from dataclasses import dataclass


@dataclass
class Edit:
    path: str  # from the top of the tree
    original: str
    replacement: str


@dataclass
class Fault:
    name: str
    tests: list  # exact ctest names; unit.* run in build/native, the others in the Windows tree
    edits: list


def fault(name, tests, *edits):
    return Fault(name, list(tests), [Edit(*edit) for edit in edits])


SAVE = "gui.VelloroTest.SaveReplacesTheFileKeepingItsMarksOrReportsAndLosesNothing"
PATH_REFUSAL = "gui.VelloroTest.PathOneCharacterTooLongIsRefusedFromTheDialogADropAndTheCommandLine"
GDI = "gui.VelloroTest.PaintsDeleteWhatTheyCreateAndHandBackTheDeviceContextAsTheyGotIt"

FAULTS = [
    fault("save writes over the target", [SAVE],
          ("document/text_file_io.cpp",
           "file = createTempFileBeside(path, tempPath, error);",
           """file = [&] {
    error = targetRefusal(path);
    HANDLE target = error != 0 ? INVALID_HANDLE_VALUE
                               : CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (target != INVALID_HANDLE_VALUE) SetEndOfFile(target);
    else if (error == 0) error = GetLastError();
    return decltype(createTempFileBeside(path, tempPath, error))(target);
  }();"""),
          ("document/text_file_io.cpp", "if (error == 0) error = replaceTarget(path, tempPath);", "")),
    fault("write error ignored", [SAVE],
          ("document/text_file_io.cpp",
           "if (!WriteFile(stream.file, bytes, count, &written, nullptr)) {",
           "WriteFile(stream.file, bytes, count, &written, nullptr);\n  return true;\n  {")),
    fault("stream error ignored", [SAVE],
          ("document/text_file_io.cpp", "return descriptor.dwError != 0 ? ERROR_READ_FAULT : 0;", "return 0;")),
    fault("CR LF always", ["unit.LineEnds.StyleAndLinesFoundAndWrittenBackWhereverTheChunksEnd",
                           "gui.VelloroTest.EditedFileIsSavedWithTheLineEndsItHad"],
          ("document/line_ends.h", "{ return style_ == LineEndStyle::CrLf; }", "{ return true; }")),
    fault("held-back CR dropped between chunks of a save",
          ["unit.LineEnds.StyleAndLinesFoundAndWrittenBackWhereverTheChunksEnd"],
          ("document/line_ends.cpp", "out.push_back('\\r');", ";")),
    fault("held-back CR dropped at the end of a save",
          ["unit.LineEnds.StyleAndLinesFoundAndWrittenBackWhereverTheChunksEnd"],
          ("document/line_ends.cpp", 'return "\\r";', "return {};")),
    fault("CR parted from its LF between chunks given to the control",
          ["unit.TextEncoding.ControlIsFedWholeLineEndsAndPairs",
           "gui.VelloroTest.LineEndsAtReadChunkBoundariesStayOneLineEnd"],
          ("document/text_streams.cpp", "last == u'\\r' || isHighSurrogate(last)", "isHighSurrogate(last)")),
    fault("every file saved in ANSI", ["gui.VelloroTest.EachEncodingOpensShowsAndSavesItsOwnBytes"],
          ("document/text_file_io.cpp", "out(encoding, lineEnds, systemAnsi());",
           "out(TextEncoding::Ansi, lineEnds, systemAnsi());")),
    fault("Abbrechen taken as Nein", ["gui.VelloroTest.CommandsThatDropTheTextAskFirstAndChangeNothingWithoutASave",
                                      "gui.VelloroTest.DropOpensTheFirstFileAfterAskingAboutAModifiedDocument"],
          ("document/file_dialogs.cpp", "default: return PromptAnswer::Cancel;", "default: return PromptAnswer::No;")),
    fault("quoted parameter cut at a blank", ["unit.CommandLine.FirstParameterAfterProgramName"],
          ("app/command_line.cpp", "line.find('\"', start);", "line.find_first_of(\"\\\" \", start);")),
    fault("case-sensitive keys", ["unit.PreferencesModel.ReadsValuesAsWrittenInTheFile",
                                  "unit.PreferencesModel.WritesGoWhereTheRulesPutThem"],
          ("settings/preferences_model.cpp", "equalIgnoringAsciiCase(view(entry.text), fileKey)",
           "view(entry.text) == fileKey")),
    fault("untrimmed keys", ["unit.PreferencesModel.ReadsValuesAsWrittenInTheFile"],
          ("settings/preferences_model.cpp", "trimTrailingBlanks(untilNul(line.substr(0, equals)))",
           "untilNul(line.substr(0, equals))")),
    fault("separator pen leaked on every paint", [GDI],
          ("editor/line_number_gutter.cpp", "HPEN> linePen(CreatePen(PS_SOLID, 1, state.gutterLineColour));",
           "HPEN> unused(nullptr);\n"
           "    struct { HPEN pen; HPEN get() const { return pen; } } linePen{"
           "CreatePen(PS_SOLID, 1, state.gutterLineColour)};")),
    fault("old pen not selected back", [GDI],
          ("editor/line_number_gutter.cpp", "usePen(dc.get(), linePen.get());",
           "usePen(dc.get(), nullptr);\n    SelectObject(dc.get(), linePen.get());")),
    fault("find always searches down", ["gui.VelloroTest.FindNextStepsFromTheSelectionIgnoringCaseAndMissesChangeNothing"],
          ("editor/search_window.cpp", "downward ? FR_DOWN : 0", "FR_DOWN")),
    fault("go to line one too far", ["gui.VelloroTest.GoToLinePutsTheCaretAtTheLineStartAndTheLineAtTheTop"],
          ("editor/go_to_line.cpp", "moveCursorTo(line, 1);", "moveCursorTo(line + 1, 1);")),
    fault("print loop without the stall stop", ["gui.VelloroTest.PrintedPagesFollowTheControlsAnswersUntilTheEndOrAStall"],
          ("document/printing.cpp", "if (!next || *next <= position) break;", "if (!next) break;")),
    fault("day and month swapped", ["unit.DateTimeFormat.TokensInAnyLetterCaseOthersKept"],
          ("app/date_time_format.cpp", '{"mm", Field::Month},  {"dd", Field::Day}',
           '{"mm", Field::Day},  {"dd", Field::Month}')),
    fault("size refusal removed", ["gui.VelloroTest.OpenOfAFileThatCannotBeReadChangesNothing"],
          ("document/text_file_io.cpp", "if (bytes > maxOpenBytes)", "if (bytes > maxOpenBytes * 1000)")),
    fault("path refusal removed from the Open dialog", [PATH_REFUSAL],
          ("document/document_commands.cpp", "if (path.empty() || refusedAsTooLong(openPurpose, path)) {",
           "if (path.empty()) {")),
    fault("path refusal removed from a drop", [PATH_REFUSAL],
          ("document/document_commands.cpp", "  if (refusedAsTooLong(openPurpose, path)) {", "  if (false) {")),
    fault("path refusal removed from the command line", [PATH_REFUSAL],
          ("document/document_commands.cpp", "if (pathTooLong(state.currentPath)) {", "if (false) {")),
    fault("session end always allowed", ["gui.VelloroTest.SessionEndAsksLikeExitOnlyAboutChangesAndAnswersWindows"],
          ("app/command_dispatch.cpp", "return document::maySessionEnd();", "return true;")),
    fault("margin rectangle given to the control while it is 0 x 0",
          ["gui.VelloroTest.TextBeginsRightOfTheBandWhereverItComesFrom", "gui_plain.LineNumberBand",
           "gui_openbox.LineNumberBand"],
          ("editor/editor_control.cpp", "    takeRectangleWhileEmpty();\n", "    setFormattingRectangle(client);\n")),
    fault("tooltip owned by the main window",
          ["gui.VelloroTest.AlwaysOnTopFromTheMenuHoldsTheMainWindowAboveOthersAndLetsItGo"],
          ("app/toolbar.cpp", "SetWindowLongPtrW(tooltips, GWLP_HWNDPARENT, 0);", "")),
    fault("file names folded to the code page",
          ["gui.VelloroTest.NamesThatBestFitWouldFoldTogetherStayApart"],
          ("platform/file_names.cpp",
           "return CreateFileW(wideFromUtf8(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);",
           "return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);")),
    fault("recovery copy kept after Exit", ["gui.RecoveryTest.CopyIsClearedOnlyWhenTheTextIsSafe"],
          ("document/document_commands.cpp",
           "  if (!mayDropText(PromptCommand::Exit)) return;\n  clearRecoveryCopy();\n",
           "  if (!mayDropText(PromptCommand::Exit)) return;\n")),
    fault("another running program's copy taken as a crashed one", ["gui.RecoveryTest.RunningProgramsCopyIsLeftAlone"],
          ("document/recovery_copy.cpp", "  if (owner == thisProcess()) return true;\n",
           "  if (owner == thisProcess()) return true;\n  return false;\n")),
    fault("save progress not shown", ["gui.VelloroTest.LongSavesShowTheirProgress"],
          ("document/document_commands.cpp",
           'void showSaveProgress(int percent) { showProgress("Speichert", percent); }\n',
           "void showSaveProgress(int) {}\n")),
    fault("a file of exactly the size limit refused", ["e2e.journey_largest_file_e2e"],
          ("document/text_file_io.cpp", "if (bytes > maxOpenBytes)", "if (bytes >= maxOpenBytes)")),
    fault("a file's lines left out of the memory check",
          ["unit.DocumentRules.AFileOfManyShortLinesIsRefusedBeforeItRunsTheProcessOutOfMemory"],
          ("document/document_rules.cpp", "bytes * layoutBytesPerByte + lines * layoutBytesPerLine <= layoutBudget",
           "bytes * layoutBytesPerByte <= layoutBudget")),
    fault("undo left off after a load in pieces",
          ["gui.VelloroTest.LongLoadsShowTheirProgressAndEveryWayInEndsWithTheSameText"],
          ("document/text_file_io.cpp", "  SendMessageA(app::state.editorHandle, EM_SETUNDOLIMIT, usualUndoLimit, 0);\n", "")),
]

# ---------------------------------------------------------------------------------------------------

top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
scratch = os.path.join(top, "build", "mutants")  # a copy of the tree with its own build folders
logs = os.path.join(scratch, "build", "logs")


# scripts/common.sh builds the Windows tests for 64-bit Windows where 32-bit programs cannot run.
windows_tree = "win64" if os.environ.get("VELLORO_WIN_ARCH") == "x86_64" else "win"


def tree_of(test):
    return "native" if test.startswith("unit.") else windows_tree


def slug(name):
    return re.sub(r"[^a-z0-9]+", "-", name.lower()).strip("-")


def sync_copy():
    """Brings the scratch copy in line with the working tree, committed or not; unchanged files keep
    their times, so the scratch build stays incremental from run to run."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=top,
                            check=True, capture_output=True).stdout.decode().split("\0")
    wanted = {path for path in listed if path and os.path.isfile(os.path.join(top, path))}
    for path in wanted:
        source, target = os.path.join(top, path), os.path.join(scratch, path)
        with open(source, "rb") as f:
            data = f.read()
        if os.path.isfile(target):
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        shutil.copymode(source, target)
    for folder, subfolders, files in os.walk(scratch):
        if folder == scratch and "build" in subfolders:
            subfolders.remove("build")
        for name in files:
            path = os.path.relpath(os.path.join(folder, name), scratch)
            if path not in wanted:
                os.remove(os.path.join(folder, name))


def build(tree, log):
    function = "build_native" if tree == "native" else "build_windows"
    with open(log, "a") as out:
        result = subprocess.run(["bash", "-c", f'source scripts/common.sh && {function}'], cwd=scratch, stdout=out,
                                stderr=subprocess.STDOUT)
    return result.returncode == 0


def run_tests(tests, log):
    """Runs the named tests; answers the ones that failed and the ones no test exists for."""
    failed, seen = set(), set()
    for tree in sorted({tree_of(test) for test in tests}):
        names = [test for test in tests if tree_of(test) == tree]
        pattern = "^(" + "|".join(re.escape(name) for name in names) + ")$"
        junit = os.path.join(logs, "last-run.xml")
        if os.path.exists(junit):
            os.remove(junit)
        with open(log, "a") as out:
            subprocess.run(["ctest", "--output-on-failure", "--timeout", "300", "-R", pattern, "--output-junit", junit],
                           cwd=os.path.join(scratch, "build", tree), stdout=out, stderr=subprocess.STDOUT)
        if not os.path.exists(junit):
            continue
        for case in ElementTree.parse(junit).getroot().iter("testcase"):
            seen.add(case.get("name"))
            if case.get("status") != "run":
                failed.add(case.get("name"))
    return failed, set(tests) - seen


def apply(edits):
    """The files' texts with the edits made, or the reason they cannot be made."""
    texts = {}
    for edit in edits:
        if edit.path not in texts:
            full = os.path.join(scratch, edit.path)
            if not os.path.isfile(full):
                return None, f"{edit.path} is missing"
            with open(full, encoding="utf-8", newline="") as f:
                texts[edit.path] = f.read()
        count = texts[edit.path].count(edit.original)
        if count != 1:
            return None, f"{edit.path}: {edit.original.splitlines()[0]!r} found {count} times"
        texts[edit.path] = texts[edit.path].replace(edit.original, edit.replacement)
    return texts, None


def write(texts):
    for path, text in texts.items():
        with open(os.path.join(scratch, path), "w", encoding="utf-8", newline="") as f:
            f.write(text)


def report(result, name, detail=""):
    print(f"{result:<10} {name}{detail}", flush=True)


def main():
    parser = argparse.ArgumentParser(description="Puts each fault into a scratch copy and runs the tests that must "
                                                 "catch it.")
    parser.add_argument("patterns", nargs="*", help="only the faults whose names contain one of these texts")
    parser.add_argument("--check", action="store_true", help="only tell which faults no longer apply")
    args = parser.parse_args()
    faults = [f for f in FAULTS if not args.patterns or any(p.lower() in f.name.lower() for p in args.patterns)]
    if not faults:
        sys.exit("no fault has a name like " + ", ".join(args.patterns))

    os.makedirs(logs, exist_ok=True)
    sync_copy()
    if args.check:
        stale = 0
        for f in faults:
            texts, reason = apply(f.edits)
            stale += texts is None
            report("stale" if texts is None else "applies", f.name, f" ({reason})" if reason else "")
        sys.exit(1 if stale else 0)

    # The tests must pass without any fault, or a failure under one would mean nothing.
    tests = sorted({test for f in faults for test in f.tests})
    baseline_log = os.path.join(logs, "baseline.log")
    open(baseline_log, "w").close()
    for tree in sorted({tree_of(test) for test in tests}):
        if not build(tree, baseline_log):
            sys.exit(f"the unchanged code does not build: see {baseline_log}")
    failed, _ = run_tests(tests, baseline_log)
    if failed:
        sys.exit("these tests fail without any fault, so the table means nothing until they pass: " +
                 ", ".join(sorted(failed)) + f" (see {baseline_log})")

    counts = {"caught": 0, "NOT CAUGHT": 0, "stale": 0}
    for f in faults:
        texts, reason = apply(f.edits)
        if texts is None:
            counts["stale"] += 1
            report("stale", f.name, f" ({reason})")
            continue
        originals = {}
        for path in texts:
            with open(os.path.join(scratch, path), encoding="utf-8", newline="") as file:
                originals[path] = file.read()
        log = os.path.join(logs, slug(f.name) + ".log")
        open(log, "w").close()
        write(texts)
        try:
            trees = sorted({tree_of(test) for test in f.tests})
            if not all(build(tree, log) for tree in trees):
                result, detail = "stale", f" (does not build: see {log})"
            else:
                failed, missing = run_tests(f.tests, log)
                passed = [test for test in f.tests if test not in failed and test not in missing]
                if missing:
                    result, detail = "stale", " (no test named " + ", ".join(sorted(missing)) + ")"
                elif failed:
                    result, detail = "caught", " (by " + ", ".join(sorted(failed)) + \
                        ("; passed: " + ", ".join(passed) if passed else "") + ")"
                else:
                    result, detail = "NOT CAUGHT", f" (see {log})"
        finally:
            write(originals)
        counts[result] += 1
        report(result, f.name, detail)
    print(f"{len(faults)} faults: {counts['caught']} caught, {counts['NOT CAUGHT']} not caught, "
          f"{counts['stale']} stale")
    sys.exit(0 if counts["caught"] == len(faults) else 1)


if __name__ == "__main__":
    main()
