"""Makes the release zip (the `package` target, cmake/release.cmake):

    <output-dir>/<name>.zip
        <name>/<each program>      signed copies when KELVARION_SIGN_PFX is set
        <name>/<each text>         release/README.txt
        <name>/SHA256SUMS.txt      the programs as zipped, sha256sum's format

The programs are copied into a temporary folder, signed there when a
certificate is named (osslsigncode: Authenticode, SHA-1 with a nested
SHA-256 signature), summed and
zipped; the programs given stay as they are. The zip's bytes depend on its
contents alone: entries sorted by name, each dated with SOURCE_DATE_EPOCH
when it is set and otherwise with the time of the source tree's commit (UTC),
fixed attributes (0755 for programs, 0644 for texts), deflate at level 9, no
extra fields. KELVARION_PACKAGE_DIR, when set, replaces --output-dir."""

import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

DESCRIPTION = "Kelvarion post-installation setup"
SUMS = "SHA256SUMS.txt"
DOS_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC, the first time a zip entry can hold


class ReleaseError(Exception):
    pass


def say(text):
    print(f"package: {text}", flush=True)


def entry_time(source_dir):
    """Seconds since 1970 for every entry: SOURCE_DATE_EPOCH, else the commit's."""
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch:
        if not epoch.isdigit():
            raise ReleaseError(f"SOURCE_DATE_EPOCH is not a number of seconds: {epoch!r}")
        return int(epoch)
    try:
        commit = subprocess.run(["git", "-C", str(source_dir), "log", "-1", "--format=%ct"],
                                capture_output=True, text=True, check=True).stdout.strip()
        return int(commit)
    except (OSError, subprocess.CalledProcessError, ValueError):
        say("no commit and no SOURCE_DATE_EPOCH: the entries are dated 1980-01-01")
        return DOS_EPOCH


def sign(programs):
    """Signs the programs in place when KELVARION_SIGN_PFX names a certificate."""
    pfx = os.environ.get("KELVARION_SIGN_PFX")
    if not pfx:
        say("KELVARION_SIGN_PFX is not set: the programs in the zip are unsigned")
        return
    password_file = os.environ.get("KELVARION_SIGN_PASSWORD_FILE")
    if not password_file:
        raise ReleaseError("KELVARION_SIGN_PFX is set but KELVARION_SIGN_PASSWORD_FILE, "
                           "the file that holds its password, is not")
    for variable, path in (("KELVARION_SIGN_PFX", pfx),
                           ("KELVARION_SIGN_PASSWORD_FILE", password_file)):
        # The build runs in the build folder: a relative path would mislead.
        if not Path(path).is_absolute():
            raise ReleaseError(f"{variable} must be an absolute path: {path}")
        if not Path(path).is_file():
            raise ReleaseError(f"{variable}: no such file: {path}")
    tool = shutil.which("osslsigncode")
    if not tool:
        raise ReleaseError("osslsigncode is not installed (scripts/install-deps.sh installs it)")
    timestamp_url = os.environ.get("KELVARION_SIGN_TIMESTAMP_URL")
    # Windows XP SP3 and Vista check only the first signature and know no
    # SHA-256 one; Windows 7 and later check the SHA-256 one nested in it.
    for program in programs:
        for digest, nested in (("sha1", []), ("sha256", ["-nest"])):
            signed = program.with_name(program.name + ".signed")
            command = [tool, "sign", "-pkcs12", pfx, "-readpass", password_file, "-h", digest,
                       *nested, "-n", DESCRIPTION]
            if timestamp_url:
                command += ["-ts", timestamp_url]
            command += ["-in", str(program), "-out", str(signed)]
            result = subprocess.run(command, capture_output=True, text=True)
            if result.returncode != 0:
                raise ReleaseError(f"osslsigncode could not sign {program.name} ({digest}) with "
                                   f"{pfx}:\n{result.stdout}{result.stderr}")
            os.replace(signed, program)
    stamped = f"each time-stamped by {timestamp_url}" if timestamp_url else "no time stamp"
    say(f"signed {', '.join(p.name for p in programs)} with {pfx} "
        f"(SHA-1, SHA-256 nested; {stamped})")


def sums(programs):
    lines = [f"{hashlib.sha256(p.read_bytes()).hexdigest()}  {p.name}\n" for p in programs]
    return "".join(lines).encode("ascii")


def write_zip(target, folder, files, epoch):
    """files: {name: (bytes, mode)}, written sorted by name."""
    date_time = time.gmtime(max(epoch, DOS_EPOCH))[:6]
    partial = target.with_name(target.name + ".partial")
    with zipfile.ZipFile(partial, "w") as archive:
        for name in sorted(files):
            data, mode = files[name]
            info = zipfile.ZipInfo(f"{folder}/{name}", date_time=date_time)
            info.create_system = 3  # Unix: the attributes below are Unix modes
            info.external_attr = (0o100000 | mode) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    os.replace(partial, target)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--name", required=True, help="the zip's name and its folder's")
    parser.add_argument("--output-dir", required=True, type=Path)
    parser.add_argument("--source-dir", required=True, type=Path)
    parser.add_argument("--program", action="append", required=True, type=Path)
    parser.add_argument("--text", action="append", default=[], type=Path)
    args = parser.parse_args()
    output_dir = Path(os.environ.get("KELVARION_PACKAGE_DIR") or args.output_dir)
    target = output_dir / f"{args.name}.zip"
    try:
        # A run that fails leaves no zip, not the one of an earlier run.
        target.unlink(missing_ok=True)
        epoch = entry_time(args.source_dir)
        with tempfile.TemporaryDirectory(prefix="kelvarion-package-") as staging:
            programs = []
            for program in args.program:
                copy = Path(staging) / program.name
                shutil.copyfile(program, copy)
                programs.append(copy)
            sign(programs)
            files = {p.name: (p.read_bytes(), 0o755) for p in programs}
            files.update({t.name: (t.read_bytes(), 0o644) for t in args.text})
            files[SUMS] = (sums(programs), 0o644)
            output_dir.mkdir(parents=True, exist_ok=True)
            write_zip(target, args.name, files, epoch)
    except (ReleaseError, OSError) as error:
        print(f"package: {error}", file=sys.stderr)
        return 1
    say(f"{target} ({', '.join(sorted(files))})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
