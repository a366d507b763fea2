"""Headless Chromium driven through its DevTools protocol over a pipe: no
network port, no client library. Used by the preview's browser tests."""

import base64
import fcntl
import json
import os
import subprocess
import tempfile
import time


class Chromium:
    def __init__(self, width=1400, height=1000):
        self.profile = tempfile.TemporaryDirectory()
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()

        def wire():  # the browser reads commands on fd 3 and answers on fd 4
            r = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
            w = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
            os.dup2(r, 3)
            os.dup2(w, 4)

        self.process = subprocess.Popen(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
             "--no-first-run", "--remote-debugging-pipe", "--user-data-dir=" + self.profile.name,
             "--window-size=%d,%d" % (width, height), "about:blank"],
            preexec_fn=wire, pass_fds=(3, 4),
            stdout=subprocess.DEVNULL, stderr=open(os.devnull, "w") if not os.environ.get("CHROMIUM_LOG") else None)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self._buffer = b""
        self._next = 0
        self.session = None
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]
        self.call("Page.enable")
        self.call("Runtime.enable")
        self.size(width, height)

    def call(self, method, params=None, timeout=60):
        self._next += 1
        message = {"id": self._next, "method": method, "params": params or {}}
        if self.session:
            message["sessionId"] = self.session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.time() + timeout
        while time.time() < deadline:
            answer = self._read()
            if answer.get("id") == self._next:
                if "error" in answer:
                    raise RuntimeError("%s: %s" % (method, answer["error"]))
                return answer.get("result", {})
        raise TimeoutError(method)

    def _read(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError("chromium ended")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def size(self, width, height):
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})

    def open(self, url):
        self.call("Page.navigate", {"url": url})
        self.wait_for("document.readyState === 'complete' && !!document.getElementById('bp-main')")

    def run(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True})
        if "exceptionDetails" in result:
            raise RuntimeError(json.dumps(result["exceptionDetails"]))
        return result["result"].get("value")

    def wait_for(self, expression, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            try:
                if self.run(expression):
                    return True
            except RuntimeError:
                pass  # the page is between two documents
            time.sleep(0.02)
        return False

    def screenshot(self, path, full_page=True):
        params = {"format": "png", "captureBeyondViewport": full_page}
        if full_page:
            metrics = self.call("Page.getLayoutMetrics")["cssContentSize"]
            params["clip"] = {"x": 0, "y": 0, "width": metrics["width"],
                              "height": metrics["height"], "scale": 1}
        with open(path, "wb") as f:
            f.write(base64.b64decode(self.call("Page.captureScreenshot", params)["data"]))

    def close(self):
        try:
            self.call("Browser.close", timeout=5)
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.profile.cleanup()
