// End-to-end runs of morvelander.html in headless Chromium or Firefox, opened from the disk with
// the network cut off, against the native converter's outputs for the same files; and of the
// site folder served over http, installed and then used offline.
// Usage: node page.test.mjs <chromium|firefox> <morvelander.html> <native morvelander-convert>
//                           <source folder> <tournament generator>
import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import {
  copyFileSync,
  createReadStream,
  mkdtempSync,
  readFileSync,
  rmSync,
  writeFileSync,
} from "node:fs";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { basename, dirname, extname, join } from "node:path";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";
import { unzipSync } from "fflate";
import { Launch } from "./Browsers.mjs";

const [engine, pagePath, convertPath, sourceDir, generatePath] = process.argv.slice(2);
const axeSource = readFileSync(createRequire(import.meta.url).resolve("axe-core"), "utf8");
const examples = [
  "Herfsttoernooi 2009.csv",
  "Pupillen Open Zwolle.csv",
  "Scholierentoernooi Delft.csv",
  "Snelschaak Gouda.csv",
].map((name) => join(sourceDir, "examples", name));
const golden = join(sourceDir, "tests", "data", "Voorbeeld.csv");
const work = mkdtempSync(join(tmpdir(), "morvelander-page-"));

let browser;
let page;
const outside = [];

// What the native converter prints and writes for the files, under the C locale.
function Native(files, print, batch = false) {
  const folder = mkdtempSync(join(work, "native-"));
  const args = [...(batch ? ["--batch"] : []), "--print", print, "--out", folder, ...files];
  const run = spawnSync(convertPath, args, { env: { LC_ALL: "C" } });
  const report = (file) => readFileSync(join(folder, basename(file).replace(/\.[^.]*$/, ".txt")));
  const out = run.stdout.toString("latin1");
  return { status: run.status, out, err: run.stderr.toString(), report };
}

// The page's texts are Unicode; the native outputs are code page 1252, which matches Latin-1
// for every letter of the sample files.
const Latin1 = (text) => Buffer.from(text, "latin1").toString("latin1");

// The page's downloads are taken as they leave it, the same way in both browsers.
function KeepDownloads() {
  window.downloads = [];
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function keep() {
    if (!this.download) return click.call(this);
    const name = this.download;
    window.downloads.push(
      fetch(this.href)
        .then((r) => r.blob())
        .then(
          (blob) =>
            new Promise((resolve) => {
              const reader = new FileReader();
              reader.onload = () => resolve({ name, data: reader.result.split(",")[1] });
              reader.readAsDataURL(blob);
            }),
        ),
    );
  };
  // The clipboard of a headless browser is out of reach; the test reads what the page copies.
  navigator.clipboard.writeText = async (text) => {
    window.copied = text;
  };
}

// Runs the action and returns the file the page downloads meanwhile.
async function Download(action, on = page) {
  const count = await on.evaluate(() => window.downloads.length);
  await action();
  await on.waitForFunction((n) => window.downloads.length > n, {}, count);
  const { name, data } = await on.evaluate((n) => window.downloads[n], count);
  return { name, bytes: Buffer.from(data, "base64") };
}

// Picks the files with "Kies bestanden" and waits until the list shows them.
async function Upload(...files) {
  await (await page.$("#FilePicker")).uploadFile(...files);
  await page.waitForFunction(
    (names) => {
      const listed = [...document.querySelectorAll("#InFileListBox li")].map((i) => i.textContent);
      return names.every((name) => listed.includes(name));
    },
    {},
    files.map((f) => basename(f)),
  );
}

// Double-clicks the file in the input list and waits until the page has taken it in.
async function Choose(file) {
  await page.$$eval(
    "#InFileListBox li",
    (items, name) =>
      items
        .find((i) => i.textContent === name)
        .dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
    basename(file),
  );
  await page.waitForFunction(
    () => !document.body.dataset.busy || document.querySelector("#MessageBox[open]"),
  );
}

// Waits until the tables have drawn what is in view.
const Drawn = (on = page) =>
  on.waitForFunction(() => !document.querySelector(".grid[data-drawing]"));

async function Tab(index) {
  await page.click(`#PageControl [data-page="${index}"]`);
  await Drawn();
}

// The texts of the rows a table shows, TAB between cells, CR LF after each row.
const Shown = (id) =>
  page.$eval(`#${id}`, (grid) =>
    [...grid.querySelectorAll(".row")]
      .map((row) => [...row.querySelectorAll(".cell")].map((c) => c.textContent))
      .map((texts) => `${texts.join("\t")}\r\n`)
      .join(""),
  );

// What the page puts on the clipboard next.
async function Clipboard(action) {
  await action();
  await page.waitForFunction(() => window.copied !== undefined);
  return page.evaluate(() => {
    const text = window.copied;
    window.copied = undefined;
    return text;
  });
}

async function Copied() {
  await Tab(3);
  return Clipboard(() => page.click("#ClipBoardBitBtn"));
}

async function CloseMessage(expected) {
  const message = await page.waitForSelector("#MessageBox[open]");
  if (expected !== undefined)
    assert.equal(await message.$eval(".text", (e) => e.textContent), expected);
  await message.$eval("button", (b) => b.click());
}

before(async () => {
  browser = await Launch(engine, join(work, "profile"));
  page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 700 });
  await page.setOfflineMode(true);
  await page.setRequestInterception(true);
  page.on("request", (r) => {
    if (/^(file|data|blob):/.test(r.url())) return r.continue();
    outside.push(r.url());
    return r.abort();
  });
  await page.evaluateOnNewDocument(KeepDownloads);
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForSelector("body[data-ready]");
  await Upload(golden, ...[...examples].reverse());
});

after(async () => {
  await browser?.close();
  rmSync(work, { recursive: true, force: true });
});

test("lists the files in the window's order and converts each as the desktop does", async () => {
  const listed = await page.$$eval("#InFileListBox li", (items) => items.map((i) => i.textContent));
  assert.deepEqual(listed, [...examples, golden].map((f) => basename(f)));

  for (const file of [...examples, golden]) {
    await Choose(file);
    const native = Native([file], "table");
    assert.equal(native.status, 0, native.err);
    const status = await page.$$eval("#StatusBar span", (s) => s.map((e) => e.textContent));
    assert.equal(Latin1(status[1]) + "\n", Native([file], "status").out, file);
    assert.equal(Latin1(await Copied()), Native([file], "errors").out, file);
    await Tab(2);
    assert.equal(Latin1(await Shown("ToernooiGrid")), native.out, file);
    const report = await Download(() => page.click("#SaveDataBitBtn"));
    assert.equal(report.name, basename(file).replace(/\.csv$/, ".txt"));
    assert.deepEqual(report.bytes, native.report(file), file);
  }
  const expected = readFileSync(golden.replace(/\.csv$/, ".expected.txt"));
  assert.deepEqual(Native([golden], "none").report(golden), expected);

  // A game that refers to an unknown player is marked red in the input table.
  await Choose(examples[1]);
  await Tab(1);
  const red = await page.$$eval("#InputGrid .cell", (cells) =>
    cells.filter((c) => getComputedStyle(c).backgroundColor === "rgb(255, 0, 0)").length,
  );
  assert.ok(red > 0);
  assert.deepEqual(outside, []);
});

test("Alle converts every file into one zip and lists one summary row per file", async () => {
  await Tab(0);
  const zip = await Download(() => page.click("#DoAllBitBtn"));
  assert.equal(zip.name, "Fide2006.zip");
  const reports = unzipSync(new Uint8Array(zip.bytes));
  const files = [...examples, golden];
  const native = Native(files, "errors", true);
  const names = files.map((f) => basename(f, ".csv") + ".txt");
  assert.deepEqual(Object.keys(reports).sort(), names);
  for (const file of files)
    assert.deepEqual(Buffer.from(reports[basename(file, ".csv") + ".txt"]), native.report(file));
  assert.equal(Latin1(await Copied()), native.out);
  assert.equal(await page.$eval("#StatusPanel1", (e) => e.textContent), "");

  // "Alle naar map" is Chromium's alone: only it lets a page write into a folder.
  const folderButton = await page.$eval("#DoAllFolderBtn", (b) => !b.hidden);
  assert.equal(folderButton, engine === "chromium");
  // It writes through the browser's folder handle; the folder picker's dialog cannot be
  // answered headless, so the page gets a folder that keeps what is written.
  if (folderButton) await AlleToFolder(files, names, native);

  // A file whose report would be too large and a second file of the same report name get no
  // report of their own, and the run goes on, as in the window.
  const twin = join(work, "Voorbeeld.CSV");
  copyFileSync(golden, twin);
  const ruim = join(work, "Ruim.csv");
  let rondes = "012;Ruim toernooi\r\n";
  for (let r = 1; r <= 4000; r++)
    rondes += `900;${r};14-11-2009;${2 * r - 1};${2 * r};1;Wit, Sp;Zwart, Sp;01-01-2000;01-01-2000\r\n`;
  writeFileSync(ruim, rondes);
  await Upload(twin, ruim);
  await Tab(0);
  const zipped = Download(() => page.click("#DoAllBitBtn"));
  for (const text of [
    "Ruim.csv\n\nHet rapport zou te groot worden (306 MiB; de grens is 256 MiB).",
    "Voorbeeld.csv\n\nHet rapport Voorbeeld.txt\n" +
      "is in deze opdracht al gemaakt voor Voorbeeld.CSV.\nGeen bestand gemaakt.",
  ]) {
    await page.waitForFunction(
      (want) => document.querySelector("#MessageBox[open] .text")?.textContent === want,
      {},
      text,
    );
    await page.$eval("#MessageBox[open] button", (b) => b.click());
  }
  assert.deepEqual(Object.keys(unzipSync(new Uint8Array((await zipped).bytes))).sort(), names);

  // "Stop" ends the run after the file it is converting; the reports made so far are kept.
  await Tab(0);
  const stopped = Download(() =>
    page.evaluate(() => {
      const status = document.getElementById("StatusPanel1");
      new MutationObserver((_, observer) => {
        if (!status.textContent.startsWith("2 van")) return;
        observer.disconnect();
        document.getElementById("StopBitBtn").click();
      }).observe(status, { childList: true, characterData: true, subtree: true });
      document.getElementById("DoAllBitBtn").click();
    }),
  );
  const kept = Object.keys(unzipSync(new Uint8Array((await stopped).bytes))).sort();
  assert.deepEqual(kept, names.slice(0, 2));
  const status = await page.$eval("#StatusPanel1", (e) => e.textContent);
  assert.equal(status, "Gestopt na 2 van 7 bestanden");
});

// The folder holds a folder of the first report's name: that report is told and not written,
// and the run goes on, as in the window and the converter.
async function AlleToFolder(files, names, native) {
  await page.evaluate((taken) => {
    window.written = {};
    window.showDirectoryPicker = async () => ({
      name: "Uit",
      getFileHandle: async (name) => {
        if (name === taken) throw new DOMException("a folder", "TypeMismatchError");
        return {
          createWritable: async () => {
            const parts = [];
            return {
              write: async (bytes) => parts.push(bytes),
              close: async () => {
                const bytes = new Uint8Array(await new Blob(parts).arrayBuffer());
                window.written[name] = [...bytes];
              },
              abort: async () => {},
            };
          },
        };
      },
    });
  }, names[0]);
  await Tab(0);
  await page.click("#DoAllFolderBtn");
  await CloseMessage(`Uit/${names[0]}\nKan niet gemaakt worden...\nEr staat een map met die naam.`);
  await page.waitForFunction(() => !document.body.dataset.busy);
  const written = await page.evaluate(() => window.written);
  assert.deepEqual(Object.keys(written).sort(), names.slice(1));
  for (const file of files.slice(1))
    assert.deepEqual(Buffer.from(written[basename(file, ".csv") + ".txt"]), native.report(file));
}

test("bad input gets findings, nothing or a message, and the page goes on working", async () => {
  const empty = join(work, "Leeg.csv");
  const binary = join(work, "Plaatje.csv");
  const gone = join(work, "Weg.csv");
  writeFileSync(empty, "");
  writeFileSync(binary, Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0xff]));
  writeFileSync(gone, readFileSync(golden));
  // A UTF-8 export with its mark, the name of a town the code page cannot write.
  const utf8 = join(work, "Lodz.csv");
  const text = readFileSync(golden, "latin1").replace("012;", "012;\u0141\u00f3d\u017a ");
  writeFileSync(utf8, Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(text, "utf8")]));
  await Upload(empty, binary, gone, utf8);
  rmSync(gone);

  await Choose(empty);
  assert.equal(Latin1(await Copied()), Native([empty], "errors").out, empty);
  await Choose(binary);
  await CloseMessage(
    "Plaatje.csv\n\nHet bestand is geen tekstbestand: het begint met NUL-tekens of veel andere " +
      "stuurtekens.",
  );
  assert.equal(Latin1(await Copied()), Native([binary], "errors").out, binary);
  await Choose(utf8);
  assert.equal(Latin1(await Copied()), Native([utf8], "errors").out, utf8);
  assert.match(
    await page.$eval("#StatusPanel1", (p) => p.textContent),
    / \(gelezen als UTF-8 met BOM\)$/,
  );

  // A save after a file that gave no lines downloads nothing and says why.
  await Choose(empty);
  const downloads = await page.evaluate(() => window.downloads.length);
  await Tab(2);
  await page.click("#SaveDataBitBtn");
  await CloseMessage("Leeg.csv\n\nHet bestand is leeg.");
  await page.waitForFunction(() => !document.body.dataset.busy);
  assert.equal(await page.evaluate(() => window.downloads.length), downloads);

  // Chromium finds a file gone from the disk missing, which passes silently as in the window;
  // Firefox finds it unreadable.
  await Choose(gone);
  if (engine === "firefox")
    await CloseMessage(
      "Weg.csv\n\nKan niet geopend worden...\nHet bestand kan niet gelezen worden.",
    );
  assert.equal(await page.$eval("#SaveDataBitBtn", (b) => b.disabled), true);

  await Choose(golden);
  assert.equal(Latin1(await Copied()), Native([golden], "errors").out);
});

test("a large file shows its progress, the rows in view and the desktop's report", async () => {
  const large = join(work, "Groot.csv");
  execFileSync(generatePath, ["100000", large]);
  await Upload(large);
  await page.evaluate(() => {
    const panel = document.getElementById("StatusPanel1");
    window.said = [];
    new MutationObserver(() => window.said.push(panel.textContent)).observe(panel, {
      childList: true,
      subtree: true,
    });
  });
  await Choose(large);
  const said = await page.evaluate(() => window.said);
  const read = said.filter((text) => /^Groot\.csv inlezen … \d+ %$/.test(text));
  assert.ok(read.length > 10, said.join(" | "));
  assert.equal(said.at(-2), "Groot.csv verwerken …");
  await page.waitForSelector("#ErrorGrid .row");
  await Tab(1);
  await page.waitForSelector("#InputGrid .row");
  const drawn = await page.$$eval("#InputGrid .row", (rows) => rows.length);
  assert.ok(drawn < 100, `${drawn} rows built`);
  await page.$eval("#InputGrid", (g) => (g.scrollTop = g.scrollHeight));
  await page.waitForFunction(() =>
    [...document.querySelectorAll("#InputGrid .row")].some((r) =>
      r.firstChild.textContent.startsWith("100"),
    ),
  );
  await Tab(2);
  const report = await Download(() => page.click("#SaveDataBitBtn"));
  assert.ok(report.bytes.equals(Native([large], "none").report(large)));
});

test("a line of 200 000 fields shows only the columns in view and scrolls to its end", async () => {
  const wide = join(work, "Breed.csv");
  const fields = Array.from({ length: 200000 }, (_, i) => `v${i + 1}`);
  writeFileSync(wide, `012;Breed toernooi\r\n900;${fields.join(";")}\r\n`);
  await Upload(wide);
  await Choose(wide);
  await Tab(1);
  const cells = () => page.$$eval("#InputGrid .cell", (c) => c.map((e) => e.textContent));
  const first = await cells();
  assert.ok(first.length < 500, `${first.length} cells built`);
  assert.ok(first.includes("v1"));
  await page.focus("#InputGrid");
  await page.keyboard.press("End");
  await Drawn();
  assert.ok((await cells()).includes("v200000"));
});

// The page used with the keyboard alone: each step is a key and where the focus is after it.
test("the keyboard reaches every control, opens, finds a line, copies and saves", async () => {
  const file = examples[1];
  const input = Native([file], "input").out.split("\r\n");
  // Input lines' cells without their row numbers, as the clipboard takes a block: a block of
  // one row has no line end.
  const lines = (...ns) =>
    ns
      .map((n) => input[n - 1].slice(input[n - 1].indexOf("\t") + 1))
      .map((text) => (ns.length > 1 ? `${text}\r\n` : text))
      .join("");
  await Tab(0);
  await page.focus("#Tab0");
  const listed = await page.$$eval("#InFileListBox li", (items) => items.map((i) => i.textContent));
  const index = listed.indexOf(basename(file));
  const steps = [
    { keys: ["Tab"], focus: "InFileListBox" },
    { keys: ["Tab"], focus: "PickButton" },
    { keys: ["Tab"], focus: "DoAllBitBtn" },
    { keys: ["Shift+Tab", "Shift+Tab"], focus: "InFileListBox" },
    { keys: ["Home", ...Array(index).fill("ArrowDown")], active: `InFile-${index}` },
    // Enter opens the file and shows its findings, the focus on their table.
    { keys: ["Enter"], focus: "ErrorGrid", active: "ErrorGrid-1-1" },
    // Enter on a finding shows its line, the row selected, on "Inlees grid".
    { keys: ["Enter"], focus: "InputGrid", active: "InputGrid-9-1", copy: lines(10) },
    { keys: ["Shift+ArrowDown"], active: "InputGrid-10-1", copy: lines(10, 11) },
    { keys: ["ArrowUp", "ArrowUp"], active: "InputGrid-8-1" },
    { keys: ["Shift+Tab"], focus: "Tab1" },
    { keys: ["ArrowRight"], focus: "Tab2" },
    { keys: ["Tab"], focus: "ToernooiGrid" },
    { keys: ["Tab"], focus: "SaveDataBitBtn" },
  ];
  for (const step of steps) {
    for (const key of step.keys) {
      const [modifier, name] = key.includes("+") ? key.split("+") : [null, key];
      if (modifier) await page.keyboard.down(modifier);
      await page.keyboard.press(name);
      if (modifier) await page.keyboard.up(modifier);
    }
    await page.waitForFunction(() => !document.body.dataset.busy);
    await Drawn();
    const where = await page.evaluate(() => [
      document.activeElement.id,
      document.activeElement.getAttribute("aria-activedescendant"),
    ]);
    if (step.focus) assert.equal(where[0], step.focus, step.keys.join(" "));
    if (step.active) assert.equal(where[1], step.active, step.keys.join(" "));
    if (step.copy) {
      const modifier = process.platform === "darwin" ? "Meta" : "Control";
      const copied = await Clipboard(async () => {
        await page.keyboard.down(modifier);
        await page.keyboard.press("c");
        await page.keyboard.up(modifier);
      });
      assert.equal(Latin1(copied), step.copy, step.keys.join(" "));
    }
  }
  const report = await Download(async () => {
    await page.keyboard.down("Control");
    await page.keyboard.press("s");
    await page.keyboard.up("Control");
  });
  assert.deepEqual(report.bytes, Native([file], "none").report(file));
});

test("each tab with a file open passes axe without a violation", async () => {
  await Choose(examples[1]);
  await page.evaluate(axeSource);
  for (const index of [0, 1, 2, 3]) {
    await Tab(index);
    const violations = await page.evaluate(async () =>
      (await window.axe.run(document)).violations.map(
        (v) => `${v.id}: ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`,
      ),
    );
    assert.deepEqual(violations, [], `tab ${index}`);
  }
});

test("a drop takes only the .csv files, names the rest and opens the first taken", async () => {
  const dropped = [
    ...examples.map((f) => ({ name: basename(f), data: readFileSync(f).toString("base64") })),
    { name: "Plaatje.png", data: Buffer.from([0x89, 0x50, 0x4e, 0x47]).toString("base64") },
    { name: "NAAM.CSV", data: readFileSync(golden).toString("base64") },
  ];
  await page.evaluate((files) => {
    const transfer = new DataTransfer();
    for (const { name, data } of files)
      transfer.items.add(new File([Uint8Array.from(atob(data), (c) => c.charCodeAt(0))], name));
    document.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true }));
  }, dropped);
  await CloseMessage(
    "Niet overgenomen:\nPlaatje.png\n\nAlleen *.csv bestanden worden overgenomen.",
  );
  await page.waitForFunction(() => !document.body.dataset.busy);
  const listed = await page.$$eval("#InFileListBox li", (items) => items.map((i) => i.textContent));
  assert.ok(listed.includes("NAAM.CSV") && !listed.includes("Plaatje.png"));
  await page.waitForFunction(
    () => document.getElementById("StatusPanel0").textContent === "Herfsttoernooi Jeugd 2009",
  );
});

test("the summary row and the copied error list name a file as it is", async () => {
  const lodz = join(work, "Łódź.csv");
  writeFileSync(lodz, readFileSync(golden));
  await Upload(lodz);
  await Choose(lodz);
  await Tab(3);
  const summary = /\r\n\d+\t\tŁódź\.csv\t\d+\r\n/;
  assert.match(await Shown("ErrorGrid"), summary);
  assert.match(await Copied(), summary);
});

// Serves the site folder the build makes, as any static web host would.
function Serve(folder) {
  const types = {
    ".html": "text/html",
    ".js": "text/javascript",
    ".png": "image/png",
    ".svg": "image/svg+xml",
    ".webmanifest": "application/manifest+json",
  };
  const server = createServer((request, response) => {
    const path = new URL(request.url, "http://host").pathname;
    const file = join(folder, path.endsWith("/") ? `${path}index.html` : path);
    const stream = createReadStream(file);
    stream.on("error", () => response.writeHead(404).end());
    stream.on("open", () => {
      const type = types[extname(file)] ?? "application/octet-stream";
      response.writeHead(200, { "Content-Type": type });
      stream.pipe(response);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

test("the site installs its service worker and opens and converts offline", async () => {
  const server = await Serve(join(dirname(pagePath), "site"));
  const address = `http://127.0.0.1:${server.address().port}/`;
  const context = await browser.createBrowserContext();
  const site = await context.newPage();
  try {
    await site.evaluateOnNewDocument(KeepDownloads);
    await site.goto(address);
    await site.waitForSelector("body[data-ready]");
    const manifest = await site.evaluate(async () =>
      (await fetch(document.querySelector('link[rel="manifest"]').href)).json(),
    );
    assert.equal(manifest.display, "standalone");
    await site.waitForFunction(() => navigator.serviceWorker.controller !== null);
    server.closeAllConnections();
    await new Promise((resolve) => server.close(resolve));

    await site.reload();
    await site.waitForSelector("body[data-ready]");
    await (await site.$("#FilePicker")).uploadFile(golden);
    await site.waitForSelector("#InFileListBox li");
    await site.$eval("#InFileListBox li", (i) =>
      i.dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
    );
    await site.waitForFunction(() => !document.body.dataset.busy);
    await site.click('#PageControl [data-page="2"]');
    const report = await Download(() => site.click("#SaveDataBitBtn"), site);
    assert.deepEqual(report.bytes, Native([golden], "none").report(golden));
  } finally {
    server.close();
    await context.close();
  }
});
