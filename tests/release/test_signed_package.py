"""The release as a customer receives it, signed (CTest: release.signed_package,
label release):

1. makes a throwaway code-signing certificate with openssl (nothing of it
   is kept: no key lives in the repository);
2. builds the `package` target with it (KELVARION_SIGN_PFX and
   KELVARION_SIGN_PASSWORD_FILE), the zip going to a temporary folder
   (KELVARION_PACKAGE_DIR) so the build folder's zip stays as it was;
3. `osslsigncode verify` passes for both programs of the zip with that
   certificate as the trusted root (and fails with another one), each
   program signed with SHA-1 and a nested SHA-256 signature, both with the
   description "Kelvarion post-installation
   setup"; each signed program less its signature is the build folder's
   program, which stays unsigned;
4. SHA256SUMS.txt names exactly the two programs, with their sums.

  test_signed_package.py BUILD_DIR PACKAGE_NAME PROGRAM...

It leaves the zip unpacked in BUILD_DIR/signed-package/, where
test_signed_program_starts.py (CTest: release.signed_program_starts) starts
the signed current edition under Wine."""

import hashlib
import os
import secrets
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE / "cmake"))

from release_package import DESCRIPTION, SUMS  # noqa: E402

ARGS = {}


def run(command, **kwargs):
    return subprocess.run([str(c) for c in command], capture_output=True, text=True, **kwargs)


def make_certificate(folder, name):
    """A self-signed code-signing certificate: (cert.pem, .pfx, password file)."""
    key, cert = folder / f"{name}.key", folder / f"{name}.pem"
    pfx, password = folder / f"{name}.pfx", folder / f"{name}.password"
    password.write_text(secrets.token_hex(16) + "\n")
    for command in (
        ["openssl", "req", "-x509", "-newkey", "rsa:3072", "-sha256", "-days", "2", "-nodes",
         "-keyout", key, "-out", cert, "-subj", f"/CN=Kelvarion release test ({name}, throwaway)",
         "-addext", "keyUsage=critical,digitalSignature",
         "-addext", "extendedKeyUsage=codeSigning",
         "-addext", "basicConstraints=critical,CA:FALSE"],
        ["openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out", pfx,
         "-passout", f"file:{password}"],
    ):
        result = run(command)
        if result.returncode != 0:
            raise RuntimeError(f"{' '.join(map(str, command))}:\n{result.stderr}")
    return cert, pfx, password


class SignedPackage(unittest.TestCase):
    maxDiff = None

    def setUp(self):
        self.work = Path(tempfile.mkdtemp(prefix="kelvarion-release-"))
        self.addCleanup(shutil.rmtree, self.work, True)

    def build_signed_package(self, pfx, password):
        env = dict(os.environ)
        env.update(KELVARION_SIGN_PFX=str(pfx), KELVARION_SIGN_PASSWORD_FILE=str(password),
                   KELVARION_PACKAGE_DIR=str(self.work / "out"))
        env.pop("KELVARION_SIGN_TIMESTAMP_URL", None)  # no network in the tests
        result = run(["cmake", "--build", ARGS["build"], "--target", "package"], env=env,
                     timeout=600)
        print(result.stdout, end="")
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertIn("package: signed ", result.stdout)
        return self.work / "out" / f"{ARGS['name']}.zip"

    def test_signed_package_verifies_and_sums(self):
        cert, pfx, password = make_certificate(self.work, "vendor")
        other_cert, _, _ = make_certificate(self.work, "stranger")
        archive = self.build_signed_package(pfx, password)

        # What the zip holds, unpacked as a user would, and left for the test
        # that starts the signed program.
        unpacked = Path(ARGS["build"]) / "signed-package"
        shutil.rmtree(unpacked, ignore_errors=True)
        with zipfile.ZipFile(archive) as zipped:
            names = zipped.namelist()
            zipped.extractall(unpacked)
        folder = unpacked / ARGS["name"]
        programs = [Path(p).name for p in ARGS["programs"]]
        self.assertEqual(sorted(names), sorted(f"{ARGS['name']}/{n}" for n in
                                               programs + ["README.txt", SUMS]))

        # Signed with the certificate: verified against it, not against another.
        for name in programs:
            with self.subTest(program=name):
                verified = run(["osslsigncode", "verify", "-CAfile", cert, "-in", folder / name])
                output = verified.stdout + verified.stderr
                self.assertEqual(verified.returncode, 0, output)
                # SHA-1 first, for Windows XP and Vista; SHA-256 nested in it.
                self.assertIn("Number of verified signatures: 2", output)
                primary, _, nested = output.partition("Signature Index: 1")
                self.assertIn("Message digest algorithm  : SHA1", primary)
                self.assertIn("Message digest algorithm  : SHA256", nested)
                for signature in (primary, nested):
                    self.assertIn("Signature verification: ok", signature)
                    self.assertIn(f"Text description: {DESCRIPTION}", signature)
                refused = run(["osslsigncode", "verify", "-CAfile", other_cert,
                               "-in", folder / name])
                self.assertNotEqual(refused.returncode, 0,
                                    "verified against a certificate that did not sign it")
        # Each signed program is the build folder's, left unsigned (and so
        # reproducible), plus its signature: without it, the same bytes, which
        # a rebuild of the commit can be compared with.
        for built in ARGS["programs"]:
            unsigned = self.work / f"unsigned-{Path(built).name}"
            removed = run(["osslsigncode", "remove-signature", "-in", folder / Path(built).name,
                           "-out", unsigned])
            self.assertEqual(removed.returncode, 0, removed.stdout + removed.stderr)
            self.assertEqual(unsigned.read_bytes(), Path(built).read_bytes(),
                             f"the signed {Path(built).name} less its signature is not the build's")

        # SHA256SUMS.txt: sha256sum's lines for exactly the programs.
        lines = (folder / SUMS).read_bytes().decode("ascii").splitlines()
        listed = {}
        for line in lines:
            digest, separator, name = line.partition("  ")
            self.assertEqual(separator, "  ", f"not a sha256sum line: {line!r}")
            listed[name] = digest
        self.assertEqual(sorted(listed), sorted(programs))
        for name, digest in listed.items():
            self.assertEqual(hashlib.sha256((folder / name).read_bytes()).hexdigest(), digest, name)
        checked = run(["sha256sum", "--check", "--strict", SUMS], cwd=folder)
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    ARGS.update(build=sys.argv[1], name=sys.argv[2], programs=sys.argv[3:])
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(SignedPackage)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
