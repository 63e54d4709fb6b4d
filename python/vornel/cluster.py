"""Rates a collection of puzzles on a Dask cluster.

    python3 -m vornel.cluster rate --scheduler ADDRESS|local [options] INPUT... -o OUTPUT

Reads files of one puzzle per line (as `vornel-explain --lines` reads them), cuts them into
partitions, rates the partitions on the cluster's workers and writes OUTPUT in input order: the
lines `vornel-explain --techniques all --json --lines INPUT...` writes, or with --summary its
--summary rows. Each partition is written to OUTPUT.parts/ as soon as it is rated; a run that
stops (interrupted, a machine lost) is resumed by running the same command again, which skips the
partitions already written. A worker lost during the run has its partitions rated again by the
others. Lines that cannot be read are reported on standard error, as the tool reports them.
"""

import argparse
import json
import os
import sys
import tempfile
import time

PROGRAM = "vornel.cluster"
# As vornel-explain: a longer line is reported and skipped.
MAX_LINE_BYTES = 4096
BLANKS = b" \t\r\n\v\f"
BOM = b"\xef\xbb\xbf"
MANIFEST = "manifest.json"


def _say(message):
    sys.stderr.write("%s: %s\n" % (PROGRAM, message))
    sys.stderr.flush()


# ---- Reading the inputs ------------------------------------------------------------------------

def _physical_lines(stream):
    """(number, bytes without the line end or None for a line too long), as vornel-explain splits
    an input, in bounded memory."""
    number = 0
    while True:
        line = stream.readline(MAX_LINE_BYTES + 2)
        if not line:
            return
        number += 1
        ended = line.endswith(b"\n")
        text = line[:-1] if ended else line
        if len(text) > MAX_LINE_BYTES:
            while not ended:
                more = stream.readline(1 << 16)
                if not more:
                    break
                ended = more.endswith(b"\n")
            yield number, None
            continue
        if number == 1 and text.startswith(BOM):
            text = text[len(BOM):]
        yield number, text


def _partitions(inputs, size):
    """Each partition in order: (index, source, [(line number, text or None)]), every `size`
    physical lines of a file; lines that are blank or comments are left out."""
    index = 0
    for source in inputs:
        with open(source, "rb") as stream:
            items = []
            count = 0
            for number, text in _physical_lines(stream):
                count += 1
                if text is None:
                    items.append((number, None))
                else:
                    trimmed = text.strip(BLANKS)
                    if trimmed and not trimmed.startswith(b"#"):
                        items.append((number, text))
                if count == size:
                    yield index, source, items
                    index += 1
                    items = []
                    count = 0
            if count:
                yield index, source, items
                index += 1


def _partition_count(inputs, size):
    total = 0
    for source in inputs:
        lines = 0
        with open(source, "rb") as stream:
            last = b"\n"
            for block in iter(lambda: stream.read(1 << 20), b""):
                lines += block.count(b"\n")
                last = block[-1:]
            if last != b"\n":
                lines += 1
        total += (lines + size - 1) // size
    return total


# ---- On the workers ----------------------------------------------------------------------------

def rate_partition(source, items, report, lang, pause=0.0):
    """Rates one partition: (text to write, [messages]) in line order; a line that cannot be read
    gives its "bad-input" object or row and a message, as in vornel-explain. Runs on a worker."""
    from . import _vornel

    if pause:
        time.sleep(pause)
    readable = [(number, text) for number, text in items if text is not None]
    origins = [(source, number) for number, _ in readable]
    results = iter(_vornel.run_batch([text for _, text in readable], report, 1, lang, origins))
    too_long = ("malformed puzzle line: more than %d bytes, line skipped." if lang == "en" else
                "ligne de grille mal formée : plus de %d octets, ligne ignorée.") % MAX_LINE_BYTES
    out = []
    messages = []
    for number, text in items:
        if text is None:
            written, error = _vornel.bad_input(report, too_long, source, number), too_long
        else:
            written, error = next(results)
        if error:
            messages.append("%s:%d: %s" % (source, number, error))
        out.append(written + "\n")
    return "".join(out), messages


# ---- The run -----------------------------------------------------------------------------------

def _write_atomically(path, data):
    folder = os.path.dirname(path) or "."
    fd, temporary = tempfile.mkstemp(prefix=".part-", dir=folder)
    try:
        with os.fdopen(fd, "wb") as stream:
            stream.write(data)
            stream.flush()
            os.fsync(stream.fileno())
        os.replace(temporary, path)
    except BaseException:
        try:
            os.unlink(temporary)
        except OSError:
            pass
        raise


def _part_paths(parts, index):
    base = os.path.join(parts, "part-%08d" % index)
    return base + ".out", base + ".err"


def _manifest(inputs, args):
    files = []
    for source in inputs:
        info = os.stat(source)
        files.append({"name": source, "size": info.st_size, "mtime_ns": info.st_mtime_ns})
    return {"inputs": files, "partition": args.partition, "report": "summary" if args.summary else "json",
            "lang": args.lang}


def _open_parts(parts, manifest):
    """Makes the folder of parts, or checks that the one there is for the same run. Returns the
    problem, or None."""
    path = os.path.join(parts, MANIFEST)
    if os.path.isdir(parts):
        try:
            with open(path, "r", encoding="utf-8") as stream:
                existing = json.load(stream)
        except (OSError, ValueError):
            existing = None
        if existing != manifest:
            return ("%s holds the partitions of another run (other inputs or options): run that command "
                    "again to finish it, or remove the folder." % parts)
        return None
    os.makedirs(parts)
    _write_atomically(path, json.dumps(manifest).encode("utf-8"))
    return None


def _client(args):
    from distributed import Client, LocalCluster

    if args.scheduler == "local":
        import logging

        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True,
                               dashboard_address=None, silence_logs=logging.ERROR)
        return Client(cluster), cluster
    return Client(args.scheduler), None


def _rate(args):
    inputs = args.inputs
    for source in inputs:
        if not os.path.isfile(source):
            _say("%s: %s" % (source, "not a readable file" if os.path.exists(source) else "file not found"))
            return 2
    output = os.path.abspath(args.output)
    if any(os.path.exists(source) and os.path.exists(output) and os.path.samefile(source, output)
           for source in inputs):
        _say("%s is one of the inputs: it is not replaced." % args.output)
        return 2
    parts = args.output + ".parts"
    problem = _open_parts(parts, _manifest(inputs, args))
    if problem:
        _say(problem)
        return 2

    total = _partition_count(inputs, args.partition)
    done = set(index for index in range(total) if os.path.exists(_part_paths(parts, index)[0]))
    if done:
        _say("%d of %d partitions already written, skipped" % (len(done), total))
    report = "summary" if args.summary else "explain"
    pause = float(os.environ.get("VORNEL_CLUSTER_PAUSE", "0") or 0)

    if len(done) < total:
        _rate_on_cluster(args, inputs, parts, total, done, report, pause)
    return _assemble(args, parts, total)


def _rate_on_cluster(args, inputs, parts, total, done, report, pause):
    """Rates the partitions not yet written, writing each as it comes back."""
    client, cluster = _client(args)
    try:
        from distributed import as_completed

        window = max(4, 4 * max(1, len(client.scheduler_info().get("workers", {}))))
        pending = as_completed()
        index_of = {}
        in_flight = 0
        written = len(done)
        started = time.monotonic()
        shown = started

        def progress(force=False):
            nonlocal shown
            now = time.monotonic()
            if not args.quiet and (force or now - shown >= 1.0):
                shown = now
                _say("%d/%d partitions written, %.0f s" % (written, total, now - started))

        def collect(future):
            nonlocal in_flight, written
            index = index_of.pop(future.key)
            text, messages = future.result()
            out_path, err_path = _part_paths(parts, index)
            if messages:
                _write_atomically(err_path, "".join(m + "\n" for m in messages).encode("utf-8", "surrogateescape"))
            _write_atomically(out_path, text.encode("utf-8", "surrogateescape"))
            in_flight -= 1
            written += 1
            progress()

        for index, source, items in _partitions(inputs, args.partition):
            if index in done:
                continue
            future = client.submit(rate_partition, source, items, report, args.lang, pause,
                                   key="vornel-partition-%d-%s" % (index, os.urandom(4).hex()), retries=2, pure=False)
            index_of[future.key] = index
            pending.add(future)
            in_flight += 1
            while in_flight >= window:
                collect(next(pending))
        for future in pending:
            collect(future)
        progress(force=True)
    finally:
        client.close()
        if cluster is not None:
            cluster.close()


def _assemble(args, parts, total):
    """Every partition is there: writes the output, in input order, then the messages in the same
    order; removes the partitions. Returns the exit status."""
    temporary = args.output + ".tmp"
    failed = False
    with open(temporary, "wb") as stream:
        for index in range(total):
            out_path, err_path = _part_paths(parts, index)
            with open(out_path, "rb") as part:
                stream.write(part.read())
        stream.flush()
        os.fsync(stream.fileno())
    os.replace(temporary, args.output)
    for index in range(total):
        err_path = _part_paths(parts, index)[1]
        if os.path.exists(err_path):
            failed = True
            sys.stderr.flush()
            with open(err_path, "rb") as part:
                for line in part:  # as the tool writes them, bytes that are not UTF-8 included
                    sys.stderr.buffer.write(PROGRAM.encode() + b": " + line)
            sys.stderr.buffer.flush()
    for name in os.listdir(parts):
        os.unlink(os.path.join(parts, name))
    os.rmdir(parts)
    return 1 if failed else 0


def main(argv=None):
    parser = argparse.ArgumentParser(prog="python3 -m vornel.cluster",
                                     description="Rates collections of puzzles on a Dask cluster.")
    commands = parser.add_subparsers(dest="command", required=True)
    rate = commands.add_parser("rate", help="rate puzzle files, one JSON line (or --summary row) per puzzle",
                               description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    rate.add_argument("inputs", nargs="+", metavar="INPUT", help="a file of one puzzle per line")
    rate.add_argument("-o", "--output", required=True, help="the file written (OUTPUT.parts/ while the run lasts)")
    rate.add_argument("--scheduler", required=True,
                      help="the Dask scheduler's address (tcp://host:8786), or 'local' for a cluster of this "
                           "machine's processes")
    rate.add_argument("--summary", action="store_true", help="the rows of --summary instead of JSON")
    rate.add_argument("--lang", choices=("fr", "en"), default="fr", help="the language of the sentences")
    rate.add_argument("--partition", type=int, default=1000, metavar="N",
                      help="lines per partition (default 1000)")
    rate.add_argument("--workers", type=int, default=os.cpu_count() or 1, metavar="N",
                      help="with --scheduler local: worker processes (default: one per processor)")
    rate.add_argument("--quiet", action="store_true", help="no progress on standard error")
    args = parser.parse_args(argv)
    if args.partition < 1 or args.workers < 1:
        parser.error("--partition and --workers need a whole number of at least 1")
    try:
        return _rate(args)
    except KeyboardInterrupt:
        _say("interrupted: the partitions written are kept, the same command goes on from there.")
        return 130
    except OSError as error:
        _say("%s: %s" % (error.filename or args.output, error.strerror or error))
        return 1
    except Exception as error:  # the cluster's own failures: a scheduler out of reach, a task lost too often
        _say("the cluster failed (%s: %s); the partitions written are kept, the same command goes on from "
             "there." % (type(error).__name__, error))
        return 1


if __name__ == "__main__":
    sys.exit(main())
