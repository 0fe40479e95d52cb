"""The report writer owns only the part of BENCHMARKS.md between its
markers; the other components' sections must come through unchanged, and a
missing result file must leave its table out rather than stop the report."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), ".."))
import report  # noqa: E402

OTHERS = "# Benchmarks\n\n## Evaluator\n\ntheirs\n"


class ReplaceSection(unittest.TestCase):
    def test_cases(self):
        block = f"{report.BEGIN}\nnew\n{report.END}\n"
        cases = [
            ("appended to a file without markers", OTHERS, OTHERS + "\n" + block),
            ("appended after a last line without newline", "# B\ntext", "# B\ntext\n\n" + block),
            ("replaced between markers, others kept on both sides",
             f"{OTHERS}\n{report.BEGIN}\nold\n{report.END}\n\n## Later\n\nkept\n",
             f"{OTHERS}\n{block}## Later\n\nkept\n"),
            ("a lone begin marker is not a section: appended",
             f"{OTHERS}{report.BEGIN}\n", f"{OTHERS}{report.BEGIN}\n\n{block}"),
        ]
        for name, document, expected in cases:
            with self.subTest(name):
                self.assertEqual(report.replace_section(document, "new\n"), expected)

    def test_running_twice_changes_nothing_more(self):
        once = report.replace_section(OTHERS, "new\n")
        self.assertEqual(report.replace_section(once, "new\n"), once)


class Compose(unittest.TestCase):
    def test_missing_results_give_a_report_that_says_so(self):
        with tempfile.TemporaryDirectory() as empty:
            text = report.Report(empty).compose()
        self.assertIn("### Targets", text)
        self.assertIn("not measured", text)
        self.assertNotIn("### Keystroke cost of the hooks under Wine", text)

    def test_verdicts_from_results(self):
        with tempfile.TemporaryDirectory() as results:
            with open(os.path.join(results, "peers.dat"), "w", encoding="utf-8") as data:
                data.write("# number group Tarvok muparser muparserx libqalculate\n"
                           "1 short 100 2000 2500 9000\n2 long 1000 50000 60000 150000\n")
            with open(os.path.join(results, "sizes.txt"), "w", encoding="utf-8") as sizes:
                sizes.write("calc_shipped_bytes=219648\ntarvok_shipped_bytes=873624\n")
            with open(os.path.join(results, "typing-quiet.txt"), "w", encoding="utf-8") as typing:
                typing.write("none.alone_median_us=175\ncalc.alone_median_us=243\npassing.alone_median_us=222\n")
            text = report.Report(results).compose()
        rows = {line.split(" | ")[0]: line for line in text.splitlines() if line.startswith("| ")}
        self.assertIn("47x", rows["| Evaluator at least 10 times faster than muparser's one-shot use, whole common set"])
        self.assertTrue(rows["| Evaluator at least 10 times faster than muparser's one-shot use, whole common set"]
                        .endswith("| yes |"))
        qalculate = rows["| Evaluator at least 100 times faster than libqalculate's calculate-and-print, whole set"]
        self.assertIn("145x", qalculate)
        self.assertTrue(rows["| calc.dll under 200 KB"].endswith("| **no** |"))
        self.assertTrue(rows["| tarvok.exe under 1 MB"].endswith("| yes |"))
        self.assertIn("+68 us", rows["| Hooks add no delay a person could feel (added microseconds per key under Wine)"])

    def test_growth_over_the_long_runs_is_a_missed_target(self):
        lines = []
        for checkpoint, handles, private in (("calculations_warm", 32, 4700), ("calculations_done", 32, 4700),
                                              ("openings_warm", 37, 7200), ("openings_done", 39, 9300)):
            for process in ("tarvok", "target"):
                lines.append(f"{checkpoint}.{process}.handles={handles}")
                lines.append(f"{checkpoint}.{process}.linux_private_kb={private}")
        lines += ["trend.calculations.1000=7080 37 5744 32", "trend.calculations.200=7080 37 4800 32",
                  "trend.openings.10=7216 37 5744 32"]
        with tempfile.TemporaryDirectory() as results:
            with open(os.path.join(results, "resident.txt"), "w", encoding="utf-8") as resident:
                resident.write("\n".join(lines) + "\n")
            text = report.Report(results).compose()
        trend = [line for line in text.splitlines() if line.startswith("| 200 ") or line.startswith("| 1000 ")
                 or line.startswith("| 10 openings")]
        self.assertEqual(trend, ["| 200 calculations | 7080 | 37 | 4800 | 32 |",
                                 "| 1000 calculations | 7080 | 37 | 5744 | 32 |",
                                 "| 10 openings of the options window | 7216 | 37 | 5744 | 32 |"])
        rows = {line.split(" | ")[0]: line for line in text.splitlines() if line.startswith("| ")}
        handles = rows["| No growth of handles over the long runs (tarvok.exe and the target, after the warm-up)"]
        self.assertIn("+0, +0, +2, +2", handles)
        self.assertTrue(handles.endswith("| **no** |"))
        memory = rows["| No growth of memory over the long runs (private KiB after the warm-up, same order)"]
        self.assertTrue(memory.endswith("| **no** |"))

    def test_a_climb_the_control_shows_without_calc_dll_is_not_held_against_it(self):
        cases = [("paste.100=4592\npaste.300=4800\n", "yes for calc.dll and tarvok.exe"),  # 1.04 KiB per paste
                 ("paste.100=4592\npaste.300=4600\n", "**no**"),                           # control flat
                 ("", "**no**")]                                                             # no control run
        trend = "\n".join(f"trend.calculations.{n}=7116 37 {4736 + n} 32" for n in range(100, 1001, 100))
        for control, verdict in cases:
            with self.subTest(control=control), tempfile.TemporaryDirectory() as results:
                with open(os.path.join(results, "resident.txt"), "w", encoding="utf-8") as resident:
                    resident.write(trend + "\n")
                with open(os.path.join(results, "paste-control.txt"), "w", encoding="utf-8") as paste:
                    paste.write(control)
                text = report.Report(results).compose()
                row = next(line for line in text.splitlines() if line.startswith("| No growth of memory"))
                self.assertIn("tarvok-target, calculations: +1.00 KiB per round", row)
                self.assertTrue(row.endswith(f"| {verdict} |") or f"| {verdict}" in row, row)


if __name__ == "__main__":
    unittest.main()
