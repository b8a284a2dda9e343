"""Every test of a build folder has a timeout: ctest lists the tests with their properties."""
import json
import subprocess
import sys

build = sys.argv[1]
listing = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                         check=True, capture_output=True, text=True).stdout
tests = json.loads(listing)["tests"]
without = [t["name"] for t in tests
           if not any(p["name"] == "TIMEOUT" and float(p["value"]) > 0
                      for p in t.get("properties", []))]
if len(tests) < 2 or without:
    print(f"{len(tests)} tests, {len(without)} without a timeout: {', '.join(without[:20])}")
    sys.exit(1)
print(f"all {len(tests)} tests have a timeout")
