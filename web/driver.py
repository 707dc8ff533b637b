#!/usr/bin/env python3
"""Plays the web page of Zindrop 7 in headless Chromium, as a new player would.

Serves the page folder over http on 127.0.0.1, starts Chromium with a fresh
profile and drives it through the DevTools protocol over
--remote-debugging-pipe (JSON messages ended by a zero byte on file
descriptors 3 and 4), with nothing but Python's standard library:

 1. The first start shows the language choice (no settings yet); the sound
    waits for the first key, as browsers want.
 2. English, the title, the main menu, Play; a new player types a name; the
    profile, the main pack and level 1 are chosen; the ball is steered with
    held keys and the picture changes; Esc leaves the level, which is then
    skipped.
 3. Once the storage has saved everything, a reload opens on the title (not
    the languages), with the profile and its statistics still there; the
    web site item opens in a new tab; Play offers the stored player; the
    game's keys (F5, F7, PgUp, PgDn ...) do not work the browser.
 4. Without its language files (deleted from the storage) the page draws
    the start-up error screen into the canvas; a key ends the game and the
    page says so.
 5. No uncaught error reached the console.
 6. A browser without WebGL gets a message that says so.
 7. A browser that refuses its storage still runs the game, which can
    still write its files (they last as long as the page).

Prints one line per check, the measurements (time from navigation to the
first frame, frames per second in the menus and in play) and
"N passed, N failed"; exits 1 when a check failed.

  python3 web/driver.py PAGE_FOLDER [--shots FOLDER] [--chromium PATH]
"""
import argparse
import base64
import functools
import http.server
import json
import os
import queue
import shutil
import socketserver
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

GAME_FOLDER = "/zindrop7"
PROFILE = "test"


# --- the page's web server -------------------------------------------------

class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".data": "application/octet-stream"}

    def log_message(self, *args):
        pass


def serve(folder):
    handler = functools.partial(QuietHandler, directory=folder)
    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


# --- Chromium over the DevTools pipe -----------------------------------------

class Browser:
    def __init__(self, chromium, profile_folder, extra_flags=()):
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        def on_fds_3_and_4():
            os.dup2(to_browser_read, 3)
            os.dup2(from_browser_write, 4)

        self.process = subprocess.Popen(
            [chromium, "--headless", "--no-sandbox", "--use-angle=swiftshader",
             "--enable-unsafe-swiftshader", "--remote-debugging-pipe",
             "--user-data-dir=" + profile_folder, "--window-size=1100,900",
             "--no-first-run", "--no-default-browser-check", *extra_flags, "about:blank"],
            preexec_fn=on_fds_3_and_4, close_fds=False,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.next_id = 0
        self.replies = {}
        self.reply_ready = threading.Condition()
        self.events = queue.Queue()
        self.session = None
        threading.Thread(target=self.read_messages, daemon=True).start()

    def read_messages(self):
        pending = b""
        while True:
            chunk = os.read(self.from_browser, 1 << 16)
            if not chunk:
                return
            pending += chunk
            while b"\0" in pending:
                raw, pending = pending.split(b"\0", 1)
                message = json.loads(raw)
                if "id" in message:
                    with self.reply_ready:
                        self.replies[message["id"]] = message
                        self.reply_ready.notify_all()
                else:
                    self.events.put(message)

    def call(self, method, params=None, session=True, timeout=60):
        self.next_id += 1
        number = self.next_id
        message = {"id": number, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        with self.reply_ready:
            while number not in self.replies:
                left = deadline - time.monotonic()
                if left <= 0:
                    raise TimeoutError(method)
                self.reply_ready.wait(left)
            reply = self.replies.pop(number)
        if "error" in reply:
            raise RuntimeError("%s: %s" % (method, reply["error"]))
        return reply.get("result", {})

    def attach(self):
        for _ in range(100):
            pages = [t for t in self.call("Target.getTargets", session=False)["targetInfos"]
                     if t["type"] == "page"]
            if pages:
                break
            time.sleep(0.1)
        else:
            raise RuntimeError("Chromium opened no page")
        self.session = self.call("Target.attachToTarget",
                                 {"targetId": pages[0]["targetId"], "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Page", "Runtime", "Log"):
            self.call(domain + ".enable")

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        if "exceptionDetails" in result:
            return None
        return result["result"].get("value")

    def wait_for(self, expression, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(0.1)
        return None

    def screenshot(self):
        """The canvas as a PNG picture."""
        box = self.evaluate("(() => { const r = document.getElementById('canvas')"
                            ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")
        clip = {"x": box[0], "y": box[1], "width": box[2], "height": box[3], "scale": 1}
        data = self.call("Page.captureScreenshot", {"format": "png", "clip": clip})["data"]
        return base64.b64decode(data)

    def close(self):
        try:
            self.call("Browser.close", session=False, timeout=10)
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


# DOM key, code and Windows key code of every key the test types.
KEYS = {
    "Enter": ("Enter", "Enter", 13, "\r"), "Escape": ("Escape", "Escape", 27, None),
    "Down": ("ArrowDown", "ArrowDown", 40, None), "Up": ("ArrowUp", "ArrowUp", 38, None),
    "Left": ("ArrowLeft", "ArrowLeft", 37, None), "Right": ("ArrowRight", "ArrowRight", 39, None),
    "Space": (" ", "Space", 32, " "),
    "PageUp": ("PageUp", "PageUp", 33, None), "PageDown": ("PageDown", "PageDown", 34, None),
    "Home": ("Home", "Home", 36, None), "End": ("End", "End", 35, None),
    "F5": ("F5", "F5", 116, None), "F7": ("F7", "F7", 118, None),
}
for letter in "abcdefghijklmnopqrstuvwxyz":
    KEYS[letter] = (letter, "Key" + letter.upper(), ord(letter.upper()), letter)


def key_event(browser, kind, name):
    key, code, key_code, text = KEYS[name]
    params = {"type": kind, "key": key, "code": code, "windowsVirtualKeyCode": key_code,
              "nativeVirtualKeyCode": key_code}
    if kind == "keyDown":
        if text:
            params["text"] = text
            params["unmodifiedText"] = text
        else:
            params["type"] = "rawKeyDown"
    browser.call("Input.dispatchKeyEvent", params)


def press(browser, *names, pause=0.4):
    for name in names:
        key_event(browser, "keyDown", name)
        time.sleep(0.05)
        key_event(browser, "keyUp", name)
        time.sleep(pause)


def hold(browser, names, seconds):
    for name in names:
        key_event(browser, "keyDown", name)
    time.sleep(seconds)
    for name in names:
        key_event(browser, "keyUp", name)


# --- screenshots -------------------------------------------------------------

def decode_png(data):
    """Width, height and RGB rows of an 8-bit RGB or RGBA PNG (as Chromium writes)."""
    position, width, height, kind, idat = 8, 0, 0, 0, b""
    while position < len(data):
        length, name = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if name == b"IHDR":
            width, height, depth, kind = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and kind in (2, 6), "unexpected PNG format"
        elif name == b"IDAT":
            idat += body
        position += 12 + length
    channels = 4 if kind == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind_of_filter = raw[start]
        row = bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind_of_filter == 1:
                row[i] = (row[i] + left) & 255
            elif kind_of_filter == 2:
                row[i] = (row[i] + up) & 255
            elif kind_of_filter == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind_of_filter == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                row[i] = (row[i] + predictor) & 255
        rows.append(bytes(row[c] for c in range(stride) if c % channels < 3))
        previous = row
    return width, height, rows


def difference(a, b):
    """The share of pixels (sampled every 4th in both directions) that differ clearly."""
    _, height, rows_a = decode_png(a)
    _, _, rows_b = decode_png(b)
    differing = total = 0
    for y in range(0, min(height, len(rows_b)), 4):
        row_a, row_b = rows_a[y], rows_b[y]
        for x in range(0, min(len(row_a), len(row_b)) - 2, 12):
            total += 1
            if sum(abs(row_a[x + c] - row_b[x + c]) for c in range(3)) > 48:
                differing += 1
    return differing / max(total, 1)


def lit_share(png):
    """The share of sampled pixels that are not black."""
    _, height, rows = decode_png(png)
    lit = total = 0
    for y in range(0, height, 8):
        for x in range(0, len(rows[y]) - 2, 24):
            total += 1
            lit += sum(rows[y][x:x + 3]) > 30
    return lit / max(total, 1)


# --- the test ------------------------------------------------------------------

class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, description, ok):
        print("web: %s: %s" % ("ok" if ok else "FAILED", description), flush=True)
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        return ok


def console_errors(browser):
    """Uncaught exceptions and console errors since the last call."""
    errors = []
    while True:
        try:
            event = browser.events.get_nowait()
        except queue.Empty:
            return errors
        method, params = event.get("method"), event.get("params", {})
        if method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            errors.append("uncaught: " + details.get("exception", {}).get("description", details.get("text", "")))
        elif method == "Runtime.consoleAPICalled" and params.get("type") == "error":
            errors.append("console.error: " + " ".join(str(a.get("value", a.get("description", "")))
                                                        for a in params.get("args", [])))
        elif method == "Log.entryAdded" and params["entry"].get("level") == "error":
            errors.append("log: " + params["entry"].get("text", ""))


def browser_cpu_seconds(root):
    """Processor time used so far by Chromium's processes (all of them)."""
    ticks = os.sysconf("SC_CLK_TCK")
    children = {}
    stats = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        pid = int(entry)
        children.setdefault(int(fields[1]), []).append(pid)
        stats[pid] = (int(fields[11]) + int(fields[12])) / ticks
    total, todo = 0.0, [root]
    while todo:
        pid = todo.pop()
        total += stats.get(pid, 0.0)
        todo.extend(children.get(pid, []))
    return total


def frame_rate(browser, seconds):
    """Frames a second of wall-clock time, and frames a second of Chromium's
    processor time (what the page would reach with the processor to itself:
    these machines are shared)."""
    start = browser.evaluate("Module.framesShown") or 0
    cpu = browser_cpu_seconds(browser.process.pid)
    time.sleep(seconds)
    end = browser.evaluate("Module.framesShown") or 0
    cpu = browser_cpu_seconds(browser.process.pid) - cpu
    frames = end - start
    return "%.1f frames a second (%.1f per second of Chromium's processor time)" % (
        frames / seconds, frames / max(cpu, 0.01))


def exists(browser, path):
    return bool(browser.evaluate("(() => { try { return FS.analyzePath(%s).exists; } catch (e) "
                                 "{ return false; } })()" % json.dumps(path)))


def start_page(browser, address, checks, label):
    browser.call("Page.navigate", {"url": address})
    first = browser.wait_for("typeof Module === 'object' && Module.firstFrameAt", 180)
    checks.check("%s: the page draws its first frame" % label, bool(first))
    if not first:
        raise SystemExit(1)
    return first


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--shots", help="folder for the screenshots")
    parser.add_argument("--chromium", default=shutil.which("chromium") or "chromium")
    args = parser.parse_args()
    shots = args.shots
    if shots:
        os.makedirs(shots, exist_ok=True)

    def keep(name, png):
        if shots:
            with open(os.path.join(shots, name + ".png"), "wb") as out:
                out.write(png)
        return png

    checks = Checks()
    server = serve(os.path.abspath(args.page))
    address = "http://127.0.0.1:%d/index.html" % server.server_address[1]
    profile_folder = tempfile.mkdtemp(prefix="zindrop7-chromium-")
    browser = Browser(args.chromium, profile_folder)
    measurements = []
    try:
        browser.attach()
        first = start_page(browser, address, checks, "first visit")
        measurements.append("first frame %.0f ms after navigation (first visit)" % first)
        measurements.append("first visit's start-up, ms after navigation: %s" % browser.evaluate(
            "JSON.stringify(Module.zindropStorage.times)"))
        checks.check("WebGL is there (no message instead of the game)",
                     browser.evaluate("document.getElementById('message').style.display") != "block")

        # 1. The logo lasts two seconds, then the languages.
        time.sleep(3.5)
        checks.check("no settings before the first choice",
                     not exists(browser, GAME_FOLDER + "/settings.dat"))
        checks.check("the shipped files are in the game folder",
                     exists(browser, GAME_FOLDER + "/english.str") and
                     exists(browser, GAME_FOLDER + "/lvlpckzindrop/001.zdl"))
        languages = keep("1-languages", browser.screenshot())
        checks.check("the first start shows a picture", lit_share(languages) > 0.05)
        measurements.append("menus: " + frame_rate(browser, 5))

        audio = "(Module.SDL2 && Module.SDL2.audioContext ? Module.SDL2.audioContext.state : 'none')"
        checks.check("the sound waits for the first key (the page's audio is %s)"
                     % browser.evaluate(audio), browser.evaluate(audio) == "suspended")

        # 2. English (the second language), the title, Play, a new player.
        press(browser, "Down", "Enter")
        checks.check("the first key starts the sound",
                     bool(browser.wait_for(audio + " === 'running'", 5)))
        time.sleep(1)
        title = keep("2-title", browser.screenshot())
        checks.check("choosing the language leaves the language screen",
                     difference(languages, title) > 0.02)
        checks.check("the chosen language is saved in settings",
                     bool(browser.wait_for("FS.analyzePath('%s/settings.dat').exists" % GAME_FOLDER, 10)))
        press(browser, "Enter", "Enter")
        press(browser, *PROFILE)
        press(browser, "Enter", "Enter", "Enter")
        checks.check("the new player's profile is made",
                     exists(browser, "%s/%s.alp" % (GAME_FOLDER, PROFILE)))
        press(browser, "Enter", pause=2.5)  # level 1 starts
        before = keep("3-level-start", browser.screenshot())
        hold(browser, ["Right"], 1.2)
        hold(browser, ["Down"], 0.8)
        time.sleep(0.3)
        during = keep("4-level-played", browser.screenshot())
        checks.check("held keys move the ball: the picture changes",
                     difference(before, during) > 0.01)
        measurements.append("play: " + frame_rate(browser, 5))
        # Esc leaves the level; on the level screen Down passes the empty
        # line to the skip, and skipping records the player's statistics.
        press(browser, "Escape", pause=1.5)
        press(browser, "Down", "Enter", pause=1)
        checks.check("skipping level 1 records the player's statistics",
                     exists(browser, "%s/lvlpckzindrop/%s.sts" % (GAME_FOLDER, PROFILE)))
        saved = browser.wait_for("Module.zindropStorage.idle() && Module.zindropStorage.saves > 0", 30)
        checks.check("every change is saved to the browser's storage", bool(saved))
        errors = console_errors(browser)
        for error in errors:
            print("web: console: " + error)
        checks.check("no uncaught error on the first visit", not errors)

        # 3. A reload finds everything again and opens on the title.
        first = start_page(browser, address, checks, "reload")
        measurements.append("first frame %.0f ms after navigation (reload)" % first)
        checks.check("the profile is still there after the reload",
                     bool(browser.wait_for("FS.analyzePath('%s/%s.alp').exists" % (GAME_FOLDER, PROFILE), 10)))
        checks.check("the statistics are still there after the reload",
                     exists(browser, "%s/lvlpckzindrop/%s.sts" % (GAME_FOLDER, PROFILE)))
        time.sleep(3.5)
        reloaded = keep("5-after-reload", browser.screenshot())
        to_title, to_languages = difference(reloaded, title), difference(reloaded, languages)
        checks.check("the reload opens on the title, not the languages (%.3f from the title, "
                     "%.3f from the languages)" % (to_title, to_languages), to_title < to_languages)
        # The link of the information pages opens in a new tab.
        browser.evaluate("window.opened = []; window.open = (...how) => { opened.push(how); return null; }")
        press(browser, "Enter", "Down", "Enter", "Down", "Enter", "Enter", "Enter", pause=0.6)
        opened = browser.wait_for("opened.length && opened", 5) or []
        checks.check("the more-levels item opens the page of the level packs in a new tab (%s)" % opened,
                     len(opened) == 1 and opened[0][0].startswith("levels") and
                     opened[0][0].endswith(".html") and opened[0][1] == "_blank")
        if opened:
            # Fetched the way the new tab would, from the page's own site.
            listed = browser.evaluate(
                "(() => { const r = new XMLHttpRequest(); r.open('GET', %s, false); r.send(); "
                "return r.status === 200 && r.responseText.includes(%s); })()"
                % (json.dumps(opened[0][0]), json.dumps('id="lvlpckzindrop"')))
            checks.check("the site serves that page, listing the main pack", listed is True)
        # Back on the information menu: Esc to the main menu, Up to Play.
        press(browser, "Escape", "Up", "Enter", pause=0.8)
        profiles = keep("6-players", browser.screenshot())
        checks.check("Play now offers the stored player", difference(profiles, reloaded) > 0.02)
        # The keys the game uses stay in the game: the browser's own action
        # (reload, caret browsing, scrolling) is prevented, the page stays.
        browser.evaluate("window.keysKept = {}; window.addEventListener('keydown', "
                         "(e) => { keysKept[e.key] = e.defaultPrevented; })")
        frames = browser.evaluate("Module.framesShown")
        press(browser, "F5", "F7", "PageDown", "PageUp", "End", "Home", "Down", "Space", pause=0.5)
        kept = browser.evaluate("keysKept") or {}
        names = ["F5", "F7", "PageDown", "PageUp", "End", "Home", "ArrowDown"]
        checks.check("the game's keys do not reach the browser (%s)" % kept,
                     all(kept.get(name) for name in names) and
                     browser.evaluate("window.scrollY") == 0 and
                     browser.evaluate("Module.framesShown") > frames)
        errors = console_errors(browser)
        for error in errors:
            print("web: console: " + error)
        checks.check("no uncaught error after the reload", not errors)

        # 4. Without language files the start-up error screen is drawn into
        # the canvas and waits for a key; then the page says the game ended.
        browser.evaluate("FS.unlink('%s/english.str'); FS.unlink('%s/deutsch.str')"
                         % (GAME_FOLDER, GAME_FOLDER))
        browser.wait_for("Module.zindropStorage.idle()", 30)
        browser.call("Page.navigate", {"url": address})
        browser.wait_for("typeof Module === 'object' && Module.zindropStorage && "
                         "Module.zindropStorage.loaded", 180)
        error_screen = None
        for _ in range(60):
            time.sleep(1)
            error_screen = browser.screenshot()
            if lit_share(error_screen) > 0.005:
                break
        keep("7-no-language-error", error_screen)
        checks.check("the missing language files' error screen is drawn into the canvas",
                     lit_share(error_screen) > 0.005)
        press(browser, "Enter", pause=1)
        checks.check("after its key the page says that the game has ended",
                     bool(browser.wait_for("document.getElementById('message').style.display == "
                                           "'block' && document.getElementById('message')"
                                           ".textContent.includes('ended')", 10)))
        errors = console_errors(browser)
        for error in errors:
            print("web: console: " + error)
        checks.check("no uncaught error on the error screen", not errors)
    finally:
        browser.close()
        shutil.rmtree(profile_folder, ignore_errors=True)

    # 6. A browser without WebGL gets a clear message instead of the game.
    profile_folder = tempfile.mkdtemp(prefix="zindrop7-chromium-")
    browser = Browser(args.chromium, profile_folder, ["--disable-3d-apis"])
    try:
        browser.attach()
        browser.call("Page.navigate", {"url": address})
        checks.check("without WebGL the page says so instead of starting",
                     bool(browser.wait_for("document.getElementById('message').style.display == "
                                           "'block' && document.getElementById('message')"
                                           ".textContent.includes('WebGL') && "
                                           "typeof Module === 'object' && !Module.firstFrameAt", 30)))
    finally:
        browser.close()
        shutil.rmtree(profile_folder, ignore_errors=True)

    # 7. A browser that refuses its storage still plays: the files the game
    # writes stay in the page's memory.
    profile_folder = tempfile.mkdtemp(prefix="zindrop7-chromium-")
    browser = Browser(args.chromium, profile_folder)
    try:
        browser.attach()
        browser.call("Page.addScriptToEvaluateOnNewDocument",
                     {"source": "Object.defineProperty(window, 'indexedDB', {get: () => undefined});"})
        start_page(browser, address, checks, "without storage")
        time.sleep(3.5)
        press(browser, "Down", "Enter")
        checks.check("without storage the game still writes its files (the chosen language)",
                     bool(browser.wait_for("FS.analyzePath('%s/settings.dat').exists" % GAME_FOLDER, 10)))
        errors = console_errors(browser)
        for error in errors:
            print("web: console: " + error)
        checks.check("no uncaught error without storage", not errors)
    finally:
        browser.close()
        server.shutdown()
        shutil.rmtree(profile_folder, ignore_errors=True)
    for line in measurements:
        print("web: measured: " + line)
    print("%d passed, %d failed" % (checks.passed, checks.failed))
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
