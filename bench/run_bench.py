#!/usr/bin/env python3
"""Archive benchmark: makes an archive, stores N messages (the corpus's Internet messages,
replicated with unique Message-IDs), then opens the message list. Prints messages per second
for storing (larkspurctl store in bulk, and the GUI's per-message store action), milliseconds
to the list's first rows, and peak resident memory of each step.

usage: bench/run_bench.py [--build DIR] [--sizes 1000,100000] [--batch N] [--per-message-max N] [--work DIR]
The build directory must hold bin/larkspurctl and bin/larkspur_bench.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)
CORPUS = os.path.join(SOURCE, "..", "shared", "corpus", "eml")


def header_end(data):
    for sep in (b"\r\n\r\n", b"\n\n"):
        i = data.find(sep)
        if i >= 0:
            return i, sep
    return -1, b""


def corpus_messages():
    """The corpus files the intake reads as Internet messages and the store accepts: .eml with a
    Date header, below 256 KB."""
    out = []
    for name in sorted(os.listdir(CORPUS)):
        path = os.path.join(CORPUS, name)
        if not name.lower().endswith(".eml") or not os.path.isfile(path):
            continue
        data = open(path, "rb").read()
        if len(data) > 256 * 1024:
            continue
        end, _ = header_end(data)
        if end < 0 or not re.search(rb"(?im)^date:", data[:end]):
            continue
        out.append(data)
    return out


def replicate(base, n, folder):
    """n files, base[i % len] with its Message-ID replaced by a unique one."""
    os.makedirs(folder, exist_ok=True)
    files = []
    for i in range(n):
        data = base[i % len(base)]
        end, sep = header_end(data)
        head, body = data[:end], data[end:]
        eol = b"\r\n" if sep == b"\r\n\r\n" else b"\n"
        lines = head.split(eol)
        kept, skipping = [], False
        for line in lines:
            if re.match(rb"(?i)message-id\s*:", line):
                skipping = True
                continue
            if skipping and line[:1] in (b" ", b"\t"):
                continue
            skipping = False
            kept.append(line)
        new_head = eol.join([b"Message-ID: <bench-%d@larkspur.bench>" % i] + kept)
        path = os.path.join(folder, "m%06d.eml" % i)
        with open(path, "wb") as f:
            f.write(new_head + body)
        files.append(path)
    return files


def run(cmd):
    """Runs cmd; returns (seconds, stdout, peak rss in KB of that process)."""
    start = time.monotonic()
    with tempfile.TemporaryFile() as errfile:
        p = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=errfile)
        # Read while it runs (the output of a big store is long), then reap with its usage.
        out = p.stdout.read()
        _, status, usage = os.wait4(p.pid, 0)
        errfile.seek(0)
        err = errfile.read()
    p.returncode = os.waitstatus_to_exitcode(status)
    seconds = time.monotonic() - start
    if p.returncode not in (0, 1):
        sys.exit("failed: %s\n%s" % (" ".join(cmd[:6]), err.decode(errors="replace")))
    return seconds, out.decode(errors="replace"), usage.ru_maxrss


def values(text):
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def bench(n, args, work):
    ctl = os.path.join(args.build, "bin", "larkspurctl")
    tool = os.path.join(args.build, "bin", "larkspur_bench")
    settings = os.path.join(work, "settings")
    os.makedirs(settings, exist_ok=True)
    files = replicate(corpus_messages(), n, os.path.join(work, "mail"))
    archive = os.path.join(work, "bulk.fdb")
    run([ctl, "--settings", settings, "init-db", archive])

    # larkspurctl store in bulk (chunks keep the argument list within the system's limit).
    total, stored, peak = 0.0, 0, 0
    chunk = 10000
    for i in range(0, n, chunk):
        s, out, rss = run([ctl, "--settings", settings, "--host", "", "--db", archive, "store", "--batch", str(args.batch)]
                          + files[i:i + chunk])
        total += s
        stored += sum(1 for line in out.splitlines() if line.startswith("stored\t"))
        peak = max(peak, rss)
    bulk = (stored, total, stored / total if total else 0, peak)

    # The GUI's store action, one message per transaction.
    m = min(n, args.per_message_max)
    each_archive = os.path.join(work, "each.fdb")
    run([ctl, "--settings", settings, "init-db", each_archive])
    listfile = os.path.join(work, "each.txt")
    with open(listfile, "w") as f:
        f.write("\n".join(files[:m]) + "\n")
    _, out, rss = run([tool, "per-message", each_archive, listfile])
    v = values(out)
    each = (int(v["count"]), float(v["seconds"]), float(v["per_second"]), rss)

    # Opening the list on the bulk archive (three runs: the first after the store, then warm).
    opens = []
    for _ in range(3):
        _, out, rss = run([tool, "list", archive])
        v = values(out)
        opens.append((int(v["first_rows_ms"]), int(v["connect_ms"]), int(v["rows"]), v["more"] == "1", rss))
    return bulk, each, opens


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default=os.environ.get("LARKSPUR_BUILD_DIR", os.path.join(SOURCE, "build")))
    ap.add_argument("--sizes", default="1000,100000")
    ap.add_argument("--batch", type=int, default=500, help="larkspurctl store --batch (default 500)")
    ap.add_argument("--per-message-max", type=int, default=5000,
                    help="messages stored through the per-message path (default 5000)")
    ap.add_argument("--work", help="keep the archives and files in this folder")
    args = ap.parse_args()
    for n in [int(x) for x in args.sizes.split(",") if x]:
        work = args.work and os.path.join(args.work, str(n)) or tempfile.mkdtemp(prefix="larkspur-bench-")
        # The machine is usually shared: the time and load belong with the figures.
        started = time.strftime("%Y-%m-%d %H:%M")
        load = " ".join("%.2f" % x for x in os.getloadavg())
        try:
            bulk, each, opens = bench(n, args, work)
            print("N = %d (started %s, load average %s)" % (n, started, load))
            print("  larkspurctl store (bulk):  %d stored in %.1f s = %.0f msg/s, peak %.0f MB"
                  % (bulk[0], bulk[1], bulk[2], bulk[3] / 1024))
            print("  store action (per message): %d stored in %.1f s = %.0f msg/s, peak %.0f MB"
                  % (each[0], each[1], each[2], each[3] / 1024))
            for i, (ms, connect, rows, more, rss) in enumerate(opens):
                print("  list open #%d: first %d rows after %d ms (connect %d ms), more to fetch: %s, peak %.0f MB"
                      % (i + 1, rows, ms, connect, "yes" if more else "no", rss / 1024))
            sys.stdout.flush()
        finally:
            if not args.work:
                shutil.rmtree(work, ignore_errors=True)

if __name__ == "__main__":
    main()
