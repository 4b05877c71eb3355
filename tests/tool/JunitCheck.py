"""Runs `comparam check --format=junit` and checks that its output is JUnit XML with the counts
and test cases expected.

    python3 JunitCheck.py EXPECTED_EXIT TESTS FAILURES ERRORS -- TOOL [EMULATOR...] ARGS...
"""
import subprocess
import sys
import xml.dom.minidom


def main(argv):
    split = argv.index("--")
    expected_exit, tests, failures, errors = (int(a) for a in argv[1:split])
    command = [a for a in argv[split + 1:] if a]
    run = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if run.returncode != expected_exit:
        sys.exit(f"exit status {run.returncode}, expected {expected_exit}\n{run.stderr.decode()}")
    root = xml.dom.minidom.parseString(run.stdout).documentElement
    if root.tagName != "testsuites":
        sys.exit(f"root element is {root.tagName}")
    counts = [int(root.getAttribute(name)) for name in ("tests", "failures", "errors")]
    cases = root.getElementsByTagName("testcase")
    found = [len(cases), len(root.getElementsByTagName("failure")),
             len(root.getElementsByTagName("error"))]
    if counts != [tests, failures, errors] or found != counts:
        sys.exit(f"counts {counts}, test cases {found}, expected {[tests, failures, errors]}")
    for suite in root.getElementsByTagName("testsuite"):
        if int(suite.getAttribute("tests")) != len(suite.getElementsByTagName("testcase")):
            sys.exit(f"suite {suite.getAttribute('name')} miscounts its test cases")
    for case in cases:
        if not case.getAttribute("name") or not case.getAttribute("classname"):
            sys.exit("a test case without a name")
        for problem in case.getElementsByTagName("failure") + case.getElementsByTagName("error"):
            if not problem.getAttribute("message"):
                sys.exit(f"{case.getAttribute('name')}: a problem without a message")


if __name__ == "__main__":
    main(sys.argv)
