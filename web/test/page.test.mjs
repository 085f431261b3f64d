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
  statSync,
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

// The zip of "Alle" is named after the day.
const today = new Date();
const two = (n) => String(n).padStart(2, "0");
const ZipName =
  `Fide2006-${today.getFullYear()}-${two(today.getMonth() + 1)}-${two(today.getDate())}.zip`;
// What the page says of a file it could not read as it was picked.
const Unreadable =
  "Kan niet geopend worden...\nHet bestand is gewijzigd sinds het gekozen is, of kan niet " +
  "gelezen worden.\nKies het opnieuw.";
const NotText =
  "Het bestand is geen tekstbestand: het begint met NUL-tekens of veel andere stuurtekens.";

let browser;
let page;
const outside = [];

// What the native converter prints and writes for the files, under the C locale.
function Native(files, print, batch = false, separator = ".") {
  const folder = mkdtempSync(join(work, "native-"));
  const args = [...(batch ? ["--batch"] : []), "--decimal-separator", separator];
  args.push("--print", print, "--out", folder, ...files);
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

const Status = (on = page) =>
  on.$$eval("#StatusBar span", (s) => s.map((e) => e.textContent));

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
  assert.equal(zip.name, ZipName);
  const reports = unzipSync(new Uint8Array(zip.bytes));
  const files = [...examples, golden];
  const native = Native(files, "errors", true);
  const names = files.map((f) => basename(f, ".csv") + ".txt");
  assert.deepEqual(Object.keys(reports).sort(), names);
  for (const file of files)
    assert.deepEqual(Buffer.from(reports[basename(file, ".csv") + ".txt"]), native.report(file));
  assert.equal(
    await page.$eval("#StatusPanel0", (e) => e.textContent),
    `5 rapporten in ${ZipName}`,
  );
  assert.equal(Latin1(await Copied()), native.out);
  assert.equal(
    await page.$eval("#StatusPanel1", (e) => e.textContent),
    "Foutenlijst gekopieerd: 5 regels",
  );

  // "Alle naar map" is Chromium's alone: only it lets a page write into a folder.
  const folderButton = await page.$eval("#DoAllFolderBtn", (b) => !b.hidden);
  assert.equal(folderButton, engine === "chromium");

  // A file whose report would be too large and a second file of the same report name get no
  // report of their own, and the run goes on, as in the window; their rows say why, and no
  // message stops the run.
  const twin = join(work, "Voorbeeld.CSV");
  copyFileSync(golden, twin);
  const ruim = join(work, "Ruim.csv");
  let rondes = "012;Ruim toernooi\r\n";
  for (let r = 1; r <= 4000; r++)
    rondes += `900;${r};14-11-2009;${2 * r - 1};${2 * r};1;Wit, Sp;Zwart, Sp;01-01-2000;01-01-2000\r\n`;
  writeFileSync(ruim, rondes);
  await Upload(twin, ruim);
  await Tab(0);
  const zipped = await Download(() => page.click("#DoAllBitBtn"));
  assert.deepEqual(Object.keys(unzipSync(new Uint8Array(zipped.bytes))).sort(), names);
  await page.waitForFunction(() => !document.body.dataset.busy);
  assert.equal(await page.$("#MessageBox[open]"), null);
  assert.equal(
    await page.$eval("#StatusPanel0", (e) => e.textContent),
    `5 rapporten in ${ZipName}; 2 bestanden geweigerd`,
  );
  const refusals = SummaryRows(Latin1(await Copied())).filter((row) => row.includes("rapport"));
  assert.deepEqual(refusals, [
    "Ruim.csv Het rapport zou te groot worden (306 MiB; de grens is 256 MiB).",
    "Voorbeeld.csv Het rapport Voorbeeld.txt is in deze opdracht al gemaakt voor " +
      "Voorbeeld.CSV. Geen bestand gemaakt.",
  ]);

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
  const status = await page.$eval("#StatusPanel0", (e) => e.textContent);
  assert.equal(status, "Gestopt na 2 van 7 bestanden");
});

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
  await CloseMessage("Leeg.csv\n\nHet bestand is leeg.");
  assert.equal(Latin1(await Copied()), Native([empty], "errors").out, empty);
  await Choose(binary);
  await CloseMessage(`Plaatje.csv\n\n${NotText}`);
  assert.equal(Latin1(await Copied()), Native([binary], "errors").out, binary);
  await Choose(utf8);
  assert.match(
    await page.$eval("#StatusPanel1", (p) => p.textContent),
    / \(gelezen als UTF-8 met BOM\)$/,
  );
  assert.equal(Latin1(await Copied()), Native([utf8], "errors").out, utf8);

  // A save after a file that gave no lines downloads nothing and says why.
  await Choose(empty);
  await CloseMessage("Leeg.csv\n\nHet bestand is leeg.");
  const downloads = await page.evaluate(() => window.downloads.length);
  await Tab(2);
  await page.click("#SaveDataBitBtn");
  await CloseMessage("Leeg.csv\n\nHet bestand is leeg.");
  await page.waitForFunction(() => !document.body.dataset.busy);
  assert.equal(await page.evaluate(() => window.downloads.length), downloads);

  // A file gone since it was picked is named, and nothing of it is left to save.
  await Choose(gone);
  await CloseMessage(`Weg.csv\n\n${Unreadable}`);
  await page.waitForFunction(() => !document.body.dataset.busy);
  assert.deepEqual(await Status(), ["", ""]);
  assert.equal(await page.$eval("#SaveDataBitBtn", (b) => b.disabled), true);

  await Choose(golden);
  assert.equal(Latin1(await Copied()), Native([golden], "errors").out);
});

// The summary rows of the error list: their file's text, by the name it starts with.
const SummaryRows = (copied) =>
  copied
    .split("\r\n")
    .slice(1)
    .map((line) => line.split("\t"))
    .filter((cells) => cells.length === 4 && cells[0] !== "" && cells[1] === "" && cells[2] !== "")
    .map((cells) => cells[2]);

// Drops items as the browser gives them: files, or a folder under the name it has.
function DropItems(items) {
  return page.evaluate((list) => {
    const event = new Event("drop", { bubbles: true, cancelable: true });
    const items = list.map(({ name, folder }) => ({
      kind: "file",
      getAsFile: () => new File([folder ? "" : "012;Map\r\n"], name),
      webkitGetAsEntry: () => ({ name, isDirectory: folder, isFile: !folder }),
      getAsFileSystemHandle: async () => null,
    }));
    Object.defineProperty(event, "dataTransfer", { value: { items, files: [] } });
    document.dispatchEvent(event);
  }, items);
}

test("a file changed after it was picked is read as it is now or named", async () => {
  // Delete takes the selected file off the list: here three that "Alle" refuses with a
  // message.
  const listed = () =>
    page.$$eval("#InFileListBox li", (items) => items.map((i) => i.textContent));
  const before = await listed();
  await Tab(0);
  const taken = ["Plaatje.csv", "Ruim.csv", "Voorbeeld.CSV"];
  for (const name of taken) {
    await page.focus("#InFileListBox");
    await page.keyboard.press("Home");
    for (let i = 0; i < (await listed()).indexOf(name); ++i) await page.keyboard.press("ArrowDown");
    await page.keyboard.press("Delete");
  }
  assert.deepEqual(
    await listed(),
    before.filter((n) => !taken.includes(n)),
  );

  const edited = join(work, "Bewerkt.csv");
  writeFileSync(edited, readFileSync(golden));
  await Upload(edited);
  await Choose(edited);
  assert.equal(Latin1(await Copied()), Native([edited], "errors").out);

  // The line the error list names is fixed, the way an organiser does: here one more game
  // with a finding is added.
  writeFileSync(
    edited,
    Buffer.concat([readFileSync(golden), Buffer.from("900;1;01-01-1999;1;99;3;Xx;Yy\r\n")]),
  );
  await Choose(edited);
  if (engine === "chromium") {
    // Chromium gives the File of the moment of picking, and no later content.
    await CloseMessage(`Bewerkt.csv\n\n${Unreadable}`);
    await page.waitForFunction(() => !document.body.dataset.busy);
    assert.deepEqual(await Status(), ["", ""]);
    assert.equal(await page.$eval("#SaveDataBitBtn", (b) => b.disabled), true);
  } else {
    assert.equal(Latin1(await Copied()), Native([edited], "errors").out);
    await Tab(2);
    const report = await Download(() => page.click("#SaveDataBitBtn"));
    assert.deepEqual(report.bytes, Native([edited], "none").report(edited));
  }

  // A folder is no file, whatever it is called.
  await DropItems([{ name: "map.csv", folder: true }]);
  await CloseMessage("Niet overgenomen:\nmap.csv\n\nAlleen *.csv bestanden worden overgenomen.");
  assert.ok(!(await listed()).includes("map.csv"));

  // "Alle" gives every listed file a summary row: the empty, the gone and the changed file
  // say why they gave no report, in their rows and not in a message each.
  await Tab(0);
  const zip = await Download(() => page.click("#DoAllBitBtn"));
  await page.waitForFunction(() => !document.body.dataset.busy);
  const names = await listed();
  const rows = SummaryRows(Latin1(await Copied()));
  assert.deepEqual(
    rows.map((row) => names.find((n) => row === n || row.startsWith(`${n} `))),
    names,
  );
  const refused = (name, text) => `${name} ${text.replace(/\n/g, " ")}`;
  assert.ok(rows.includes("Leeg.csv Het bestand is leeg."), rows.join(" | "));
  assert.ok(rows.includes(refused("Weg.csv", Unreadable)), rows.join(" | "));
  const bewerkt = engine === "chromium" ? refused("Bewerkt.csv", Unreadable) : "Bewerkt.csv";
  assert.ok(rows.includes(bewerkt), rows.join(" | "));
  // A refused row gives no count of findings, which would read as a clean file.
  const counts = await page.$$eval("#ErrorGrid .row", (items) =>
    items.map((row) => [...row.querySelectorAll(".cell")].map((c) => c.textContent)),
  );
  const leeg = counts.find((cells) => cells.includes("Leeg.csv Het bestand is leeg."));
  assert.equal(leeg.at(-1), "");
  assert.equal(await page.$("#MessageBox[open]"), null);
  const zipped = Object.keys(unzipSync(new Uint8Array(zip.bytes)));
  assert.equal(zipped.includes("Bewerkt.txt"), engine !== "chromium");
  assert.ok(!zipped.includes("Leeg.txt") && !zipped.includes("Weg.txt"));

  // A summary row opens its file, as a double-click in the list does.
  await Tab(3);
  const herfst = basename(examples[0]);
  await page.$$eval(
    "#ErrorGrid .row",
    (items, name) =>
      items
        .find((row) => [...row.children].some((c) => c.textContent === name))
        .querySelector(".cell:last-child")
        .dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
    herfst,
  );
  await page.waitForFunction(() =>
    document.getElementById("StatusPanel1").textContent.endsWith(" fout"),
  );
  assert.equal(Latin1(await Copied()), Native([examples[0]], "errors").out);
});

test("the decimal separator is chosen, remembered and followed; a reload asks first", async () => {
  await Tab(0);
  assert.equal(await page.$eval("#DecimalSeparator", (s) => s.value), ".");
  await page.select("#DecimalSeparator", ",");
  await page.waitForFunction(() => document.title.endsWith("0,1 (2009-11-08)"));
  await Choose(golden);
  await Tab(2);
  const report = await Download(() => page.click("#SaveDataBitBtn"));
  assert.deepEqual(report.bytes, Native([golden], "none", false, ",").report(golden));

  const other = await browser.newPage();
  try {
    await other.goto(pathToFileURL(pagePath).href);
    await other.waitForSelector("body[data-ready]");
    assert.equal(await other.$eval("#DecimalSeparator", (s) => s.value), ",");
    // An empty list has nothing to lose.
    const asks = (on) =>
      on.evaluate(() => {
        const event = new Event("beforeunload", { cancelable: true });
        window.dispatchEvent(event);
        return event.defaultPrevented;
      });
    assert.equal(await asks(other), false);
    assert.equal(await asks(page), true);
  } finally {
    await other.close();
  }
  await Tab(0);
  await page.select("#DecimalSeparator", ".");
  await page.waitForFunction(() => document.title.endsWith("0.1 (2009-11-08)"));
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
  // The view draws the last column once the core has answered for it.
  await page.waitForFunction(() =>
    [...document.querySelectorAll("#InputGrid .cell")].some((c) => c.textContent === "v200000"),
  );
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
    { keys: ["Tab"], focus: "RemoveButton" },
    { keys: ["Tab"], focus: "ClearListButton" },
    { keys: ["Tab"], focus: "DoAllBitBtn" },
    { keys: Array(4).fill("Shift+Tab"), focus: "InFileListBox" },
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
  // The drop comes while a large file converts: the first file taken opens after it. The files
  // listed already come again as they are, and take their own places without a question.
  await page.$$eval("#InFileListBox li", (items) =>
    items
      .find((i) => i.textContent === "Groot.csv")
      .dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
  );
  await page.waitForFunction(() => document.body.dataset.busy);
  const dropped = [
    ...examples.map((f) => ({
      name: basename(f),
      data: readFileSync(f).toString("base64"),
      lastModified: Math.floor(statSync(f).mtimeMs),
    })),
    { name: "Plaatje.png", data: Buffer.from([0x89, 0x50, 0x4e, 0x47]).toString("base64") },
    { name: "NAAM.CSV", data: readFileSync(golden).toString("base64") },
  ];
  await page.evaluate((files) => {
    const transfer = new DataTransfer();
    for (const { name, data, lastModified } of files) {
      const bytes = Uint8Array.from(atob(data), (c) => c.charCodeAt(0));
      transfer.items.add(new File([bytes], name, lastModified ? { lastModified } : {}));
    }
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

test("a tournament name of a megabyte shows cut, and whole in a copy", async () => {
  const name = "N".repeat(1 << 20);
  const named = join(work, "Lange naam.csv");
  // The last name record of a file names its tournament.
  writeFileSync(named, Buffer.concat([readFileSync(golden), Buffer.from(`012;${name}\r\n`)]));
  await Upload(named);
  await Choose(named);
  const cut = `${"N".repeat(10000)}…`;
  assert.equal(await page.$eval("#StatusPanel0", (e) => e.textContent), cut);
  await Tab(1);
  const cells = await page.$$eval("#InputGrid .cell", (list) => list.map((c) => c.textContent));
  assert.ok(cells.includes(cut));
  await page.focus("#InputGrid");
  const copied = await Clipboard(async () => {
    await page.keyboard.down("Control");
    await page.keyboard.press("a");
    await page.keyboard.press("c");
    await page.keyboard.up("Control");
  });
  assert.ok(copied.includes(`\t${name}\t`) || copied.includes(`\t${name}\r\n`));
});

// The names of the input list, each without what tells two of one name apart.
const Listed = () =>
  page.$$eval("#InFileListBox li", (items) => items.map((i) => i.firstChild.textContent));

const Highlighted = () =>
  page.$$eval('#InFileListBox li[aria-selected="true"]', (items) =>
    items.map((i) => i.firstChild.textContent),
  );

// Answers the question shown with the button of the label.
async function Answer(expected, label) {
  const box = await page.waitForSelector("#MessageBox[open]");
  assert.equal(await box.$eval(".text", (e) => e.textContent), expected);
  await box.$$eval(
    "button",
    (buttons, l) => buttons.find((b) => b.textContent === l).click(),
    label,
  );
  await page.waitForFunction(() => !document.querySelector("#MessageBox[open]"));
}

test("the list's commands take files off it; its highlight follows the file shown", async () => {
  await Tab(0);
  // The highlight follows a file opened by a drop: Enter opens that file again.
  await Choose(golden);
  await Tab(0);
  await page.click("#InFileListBox li:first-child");
  await DropItems([{ name: "Gesleept.csv", folder: false }]);
  await page.waitForFunction(() => document.getElementById("StatusPanel0").textContent === "Map");
  await page.waitForFunction(() => !document.body.dataset.busy);
  await Tab(0);
  assert.deepEqual(await Highlighted(), ["Gesleept.csv"]);
  await Choose(golden);
  await Tab(0);
  assert.deepEqual(await Highlighted(), [basename(golden)]);

  // "Verwijderen" by the context menu, and by the button for the files chosen with Ctrl.
  const before = await Listed();
  await page.$$eval("#InFileListBox li", (items) =>
    items
      .find((i) => i.textContent === "Gesleept.csv")
      .dispatchEvent(new MouseEvent("contextmenu", { bubbles: true, clientX: 40, clientY: 60 })),
  );
  await page.click('#ListMenu [data-command="remove"]');
  assert.deepEqual(await Listed(), before.filter((n) => n !== "Gesleept.csv"));
  const [one, two] = (await Listed()).slice(0, 2);
  await page.click("#InFileListBox li:nth-child(1)");
  await page.keyboard.down("Control");
  await page.click("#InFileListBox li:nth-child(2)");
  await page.keyboard.up("Control");
  await page.click("#RemoveButton");
  const left = await Listed();
  assert.ok(!left.includes(one) && !left.includes(two) && left.length === before.length - 3);

  // "Lijst leegmaken" asks first, from the keyboard's menu and from its button.
  const question = `Alle ${left.length} bestanden van de lijst halen?`;
  await page.focus("#InFileListBox");
  await page.keyboard.down("Shift");
  await page.keyboard.press("F10");
  await page.keyboard.up("Shift");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("Enter");
  await Answer(question, "Nee");
  assert.deepEqual(await Listed(), left);
  await page.click("#ClearListButton");
  await Answer(question, "Ja");
  // The list empties once the question's answer has come back, a moment after the box closes.
  await page.waitForFunction(() => !document.querySelector("#InFileListBox li"));
  assert.deepEqual(await Listed(), []);
  assert.equal(await page.$eval("#DoAllBitBtn", (b) => b.disabled), true);
});

test("a file dropped during Alle joins the list; the run's outcome stays on screen", async () => {
  await Upload(golden, ...examples);
  await Tab(0);
  const zip = Download(() =>
    page.evaluate(() => {
      const status = document.getElementById("StatusPanel1");
      new MutationObserver((_, observer) => {
        if (!status.textContent.startsWith("1 van")) return;
        observer.disconnect();
        const event = new Event("drop", { bubbles: true, cancelable: true });
        const file = new File(["012;Laat\r\n"], "Laat.csv");
        const items = [{ kind: "file", getAsFile: () => file, webkitGetAsEntry: () => null }];
        Object.defineProperty(event, "dataTransfer", { value: { items, files: [] } });
        document.dispatchEvent(event);
      }).observe(status, { childList: true, characterData: true, subtree: true });
      document.getElementById("DoAllBitBtn").click();
    }),
  );
  await zip;
  await page.waitForFunction(() => !document.body.dataset.busy);
  await page.waitForFunction(() => document.querySelectorAll("#InFileListBox li").length === 6);
  assert.ok((await Listed()).includes("Laat.csv"));
  assert.deepEqual(await Status(), [`5 rapporten in ${ZipName}`, ""]);
  assert.equal(await page.$eval("#TabSheet4", (p) => p.hidden), false);
  assert.equal(SummaryRows(Latin1(await Copied())).length, 5);
});

// Has a file picked and then another one dropped as soon as the status line says `when`.
function ArriveWhen(when, picked, dropped, content) {
  return page.evaluate(
    (start, names, text) => {
      const status = document.getElementById("StatusPanel1");
      new MutationObserver((_, observer) => {
        if (!status.textContent.startsWith(start)) return;
        observer.disconnect();
        const [input, drop] = [new DataTransfer(), new DataTransfer()];
        input.items.add(new File([text], names[0]));
        drop.items.add(new File([text], names[1]));
        const picker = document.getElementById("FilePicker");
        picker.files = input.files;
        picker.dispatchEvent(new Event("change", { bubbles: true }));
        document.dispatchEvent(new DragEvent("drop", { dataTransfer: drop, bubbles: true }));
      }).observe(status, { childList: true, characterData: true, subtree: true });
    },
    when,
    [picked, dropped],
    content,
  );
}

test("files picked and dropped during Alle and during a load each join the list once", async () => {
  await Tab(0);
  const content = readFileSync(golden, "latin1");
  const before = await Listed();
  await ArriveWhen("1 van", "Gekozen.csv", "Gesleept.csv", content);
  await Download(() => page.click("#DoAllBitBtn"));
  await page.waitForFunction(() => !document.body.dataset.busy);
  await page.waitForFunction(
    (n) => document.querySelectorAll("#InFileListBox li").length === n,
    {},
    before.length + 2,
  );

  // A large file loads while two more come.
  const large = join(work, "Groot.csv");
  await Upload(large);
  await ArriveWhen("Groot.csv inlezen", "Tijdens.csv", "Erna.csv", content);
  // The tournament's name the status line shows next is the dropped file's, after the load.
  await page.$eval("#StatusPanel0", (e) => (e.textContent = ""));
  await page.$$eval("#InFileListBox li", (items) =>
    items
      .find((i) => i.textContent === "Groot.csv")
      .dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
  );
  // The file dropped opens after the load.
  await page.waitForFunction(
    () => document.getElementById("StatusPanel0").textContent === "Voorbeeldtoernooi",
  );
  await page.waitForFunction(() => !document.body.dataset.busy);
  const added = ["Gekozen.csv", "Gesleept.csv", "Groot.csv", "Tijdens.csv", "Erna.csv"];
  const listed = await Listed();
  assert.deepEqual(listed.toSorted(), [...before, ...added].toSorted());
  assert.equal(await page.$("#MessageBox[open]"), null);

  // A later "Alle" converts every file of the list.
  await Tab(0);
  const zip = await Download(() => page.click("#DoAllBitBtn"));
  await page.waitForFunction(() => !document.body.dataset.busy);
  const zipped = Object.keys(unzipSync(new Uint8Array(zip.bytes)));
  for (const name of added) assert.ok(zipped.includes(name.replace(".csv", ".txt")), name);
  assert.equal(SummaryRows(Latin1(await Copied())).length, listed.length);
  assert.equal(await page.$("#MessageBox[open]"), null);
});

test("two files of one name, size and date are asked about; refused rows name them as they are", async () => {
  await Tab(0);
  await page.click("#ClearListButton");
  await Answer(`Alle ${(await Listed()).length} bestanden van de lijst halen?`, "Ja");
  await page.waitForFunction(() => !document.querySelector("#InFileListBox li"));
  // Two files whose content differs in one byte, with one size and date.
  const text = readFileSync(golden, "latin1");
  const files = [
    { name: "uitslagen.csv", text },
    { name: "uitslagen.csv", text: text.replace("Voorbeeldtoernooi", "Voorbeeldtoernooj") },
    { name: "Győr.csv", text },
    { name: "GYŐR.csv", text },
  ];
  const drop = (list) =>
    page.evaluate((items) => {
      const transfer = new DataTransfer();
      for (const { name, text: content } of items)
        transfer.items.add(new File([content], name, { lastModified: 1700000000000 }));
      document.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true }));
    }, list);
  await drop([files[0]]);
  await page.waitForFunction(() => !document.body.dataset.busy);
  await drop([files[1]]);
  await Answer(
    "uitslagen.csv staat al op de lijst, maar is een ander bestand.\n\n" +
      "Het bestand op de lijst vervangen, of beide houden?",
    "Beide houden",
  );
  await page.waitForFunction(() => document.querySelector("#InFileListBox li .detail"));
  // The same file again takes its own place without a question.
  await drop([files[0], files[2], files[3]]);
  await page.waitForFunction(() => document.querySelectorAll("#InFileListBox li").length === 4);
  await page.waitForFunction(() => !document.body.dataset.busy);
  const items = await page.$$eval("#InFileListBox li", (list) =>
    list.map((i) => [i.textContent, i.title]),
  );
  const twins = items.filter(([name]) => name.startsWith("uitslagen.csv"));
  assert.deepEqual(twins.map(([name]) => name).toSorted(), ["uitslagen.csv", "uitslagen.csv (2)"]);
  assert.ok(twins.every(([, title]) => /^[\d.]+ B, \d{4}-\d\d-\d\d \d\d:\d\d$/.test(title)));

  await Tab(0);
  await Download(() => page.click("#DoAllBitBtn"));
  await page.waitForFunction(() => !document.body.dataset.busy);
  const rows = SummaryRows(await Copied());
  const refusal = (name, report, earlier) =>
    `${name} Het rapport ${report} is in deze opdracht al gemaakt voor ${earlier}. ` +
    "Geen bestand gemaakt.";
  assert.ok(rows.includes("uitslagen.csv"), rows.join(" | "));
  assert.ok(rows.includes(refusal("uitslagen.csv (2)", "uitslagen.txt", "uitslagen.csv")));
  assert.ok(
    rows.includes(refusal("GYŐR.csv", "GYŐR.txt", "Győr.csv")) ||
      rows.includes(refusal("Győr.csv", "Győr.txt", "GYŐR.csv")),
    rows.join(" | "),
  );
  const shown = await Shown("ErrorGrid");
  assert.match(shown, /al gemaakt voor (Győr|GYŐR)\.csv/);
  assert.ok(!shown.includes("?"), shown);

  await Tab(0);
  await page.click("#ClearListButton");
  await Answer("Alle 4 bestanden van de lijst halen?", "Ja");
  await page.waitForFunction(() => !document.querySelector("#InFileListBox li"));
});

test("two files of one name are both kept; reports one on a disk never overwrite", async () => {
  await Tab(0);
  const first = join(mkdtempSync(join(work, "A-")), "uitslagen.csv");
  const second = join(mkdtempSync(join(work, "B-")), "uitslagen.csv");
  copyFileSync(golden, first);
  copyFileSync(examples[0], second);
  const open = join(work, "Open.csv");
  const shouting = join(work, "OPEN.csv");
  copyFileSync(examples[1], open);
  copyFileSync(examples[2], shouting);
  await Upload(first, open, shouting);
  // The same file again takes its own place without a question.
  await Upload(first);
  const named = async () => (await Listed()).filter((n) => n === "uitslagen.csv").length;
  assert.equal(await named(), 1);
  // Another file of the name is asked about: kept, the two are told apart.
  await (await page.$("#FilePicker")).uploadFile(second);
  await Answer(
    "uitslagen.csv staat al op de lijst, maar is een ander bestand.\n\n" +
      "Het bestand op de lijst vervangen, of beide houden?",
    "Beide houden",
  );
  const detail = "#InFileListBox li .detail";
  await page.waitForFunction((s) => document.querySelectorAll(s).length === 1, {}, detail);
  assert.equal(await page.$eval(detail, (d) => d.textContent), " (2)");
  const titles = await page.$$eval("#InFileListBox li", (items) =>
    items.filter((i) => i.firstChild.textContent === "uitslagen.csv").map((i) => i.title),
  );
  assert.notEqual(titles[0], titles[1]);

  // Each gets its row in "Alle"; of two reports that a Windows or macOS disk takes for one, the
  // second is refused, and its row says so.
  const zip = await Download(() => page.click("#DoAllBitBtn"));
  await page.waitForFunction(() => !document.body.dataset.busy);
  const zipped = Object.keys(unzipSync(new Uint8Array(zip.bytes)));
  const folded = zipped.map((n) => n.normalize("NFC").toLowerCase());
  assert.equal(new Set(folded).size, zipped.length);
  assert.ok(folded.includes("uitslagen.txt") && folded.includes("open.txt"));
  assert.equal(
    await page.$eval("#StatusPanel0", (e) => e.textContent),
    `${zipped.length} rapporten in ${ZipName}; 2 bestanden geweigerd`,
  );
  const rows = SummaryRows(await Copied());
  const refusal = (name, report, earlier) =>
    `${name} Het rapport ${report} is in deze opdracht al gemaakt voor ${earlier}. ` +
    "Geen bestand gemaakt.";
  assert.equal(rows.filter((r) => r.startsWith("uitslagen.csv")).length, 2);
  assert.ok(rows.includes(refusal("uitslagen.csv (2)", "uitslagen.txt", "uitslagen.csv")));
  const opens = rows.filter((r) => /^open\.csv/i.test(r));
  assert.equal(opens.length, 2);
  assert.ok(
    opens.includes(refusal("OPEN.csv", "OPEN.txt", "Open.csv")) ||
      opens.includes(refusal("Open.csv", "Open.txt", "OPEN.csv")),
    opens.join(" | "),
  );
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

// The error list as "ClipBoard" copies it, on a page of the site.
async function SiteErrors(site) {
  await site.click('#PageControl [data-page="3"]');
  await site.click("#ClipBoardBitBtn");
  await site.waitForFunction(() => window.copied !== undefined);
  return site.evaluate(() => {
    const text = window.copied;
    window.copied = undefined;
    return text;
  });
}

async function SiteOpen(site, name) {
  await site.$$eval(
    "#InFileListBox li",
    (items, n) =>
      items
        .find((i) => i.textContent === n)
        .dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
    name,
  );
  await site.waitForFunction(() => !document.body.dataset.busy);
}

// Writes the bytes into the page's private folder of the browser, which gives real file
// handles: the pickers' dialogs cannot be answered headless, so the pickers give these.
const WriteKept = (site, path, bytes) =>
  site.evaluate(
    async (parts, data) => {
      let folder = await navigator.storage.getDirectory();
      for (const part of parts.slice(0, -1))
        folder = await folder.getDirectoryHandle(part, { create: true });
      const handle = await folder.getFileHandle(parts.at(-1), { create: true });
      const stream = await handle.createWritable();
      await stream.write(Uint8Array.from(atob(data), (c) => c.charCodeAt(0)));
      await stream.close();
    },
    path.split("/"),
    bytes.toString("base64"),
  );

test("the installed site opens .csv files, keeps its handles, reads anew", async () => {
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
    assert.deepEqual(manifest.file_handlers, [{ action: "./", accept: { "text/csv": [".csv"] } }]);
    const handles = await site.evaluate(() => [
      "launchQueue" in window,
      typeof window.showOpenFilePicker === "function",
    ]);
    assert.deepEqual(handles, [engine === "chromium", engine === "chromium"]);
    // Firefox gives no handles: its list asks before a reload instead, as tried above.
    if (engine !== "chromium") return;

    // Chromium reads the manifest as an app's without an error.
    const cdp = await site.createCDPSession();
    assert.deepEqual((await cdp.send("Page.getAppManifest")).errors, []);

    const local = mkdtempSync(join(work, "kept-"));
    const edited = join(local, "Bewerkt.csv");
    writeFileSync(edited, readFileSync(golden));
    await WriteKept(site, "Bewerkt.csv", readFileSync(edited));
    await site.evaluate(async () => {
      const root = await navigator.storage.getDirectory();
      window.showOpenFilePicker = async () => [await root.getFileHandle("Bewerkt.csv")];
    });
    await site.click("#PickButton");
    await site.waitForSelector("#InFileListBox li");
    await SiteOpen(site, "Bewerkt.csv");
    assert.equal(Latin1(await SiteErrors(site)), Native([edited], "errors").out);

    writeFileSync(
      edited,
      Buffer.concat([readFileSync(golden), Buffer.from("900;1;01-01-1999;1;99;3;Xx;Yy\r\n")]),
    );
    await WriteKept(site, "Bewerkt.csv", readFileSync(edited));
    await SiteOpen(site, "Bewerkt.csv");
    const changed = Native([edited], "errors").out;
    assert.equal(Latin1(await SiteErrors(site)), changed);

    // A list of handles is kept across a reload, without asking, and reads on.
    const asks = await site.evaluate(() => {
      const event = new Event("beforeunload", { cancelable: true });
      window.dispatchEvent(event);
      return event.defaultPrevented;
    });
    assert.equal(asks, false);
    await site.reload();
    await site.waitForSelector("body[data-ready]");
    await site.waitForSelector("#InFileListBox li");
    await SiteOpen(site, "Bewerkt.csv");
    assert.equal(Latin1(await SiteErrors(site)), changed);

    // The system's launch gives handles, a folder among them; a headless browser launches
    // no app, so a page of the site gets them from a launch queue that stands in.
    const launched = await context.newPage();
    try {
      await launched.evaluateOnNewDocument(async () => {
        const root = await navigator.storage.getDirectory();
        const files = [
          await root.getDirectoryHandle("map.csv", { create: true }),
          await root.getFileHandle("Bewerkt.csv"),
        ];
        Object.defineProperty(window, "launchQueue", {
          value: { setConsumer: (consumer) => consumer({ files }) },
        });
      });
      await launched.evaluateOnNewDocument(KeepDownloads);
      await launched.goto(address);
      const message = await launched.waitForSelector("#MessageBox[open]");
      assert.equal(
        await message.$eval(".text", (e) => e.textContent),
        "Niet overgenomen:\nmap.csv\n\nAlleen *.csv bestanden worden overgenomen.",
      );
      await message.$eval("button", (button) => button.click());
      await launched.waitForFunction(() =>
        document.getElementById("StatusPanel1").textContent.endsWith(" fout"),
      );
      assert.equal(Latin1(await SiteErrors(launched)), changed);
    } finally {
      await launched.close();
    }

    // "Alle naar map" has the worker write the reports into the folder the user picks. The
    // folder holds a folder of the second report's name: that report is told and not written,
    // and the run goes on, as in the window and the converter.
    const tweede = join(local, "Tweede.csv");
    writeFileSync(tweede, readFileSync(examples[0]));
    await WriteKept(site, "Tweede.csv", readFileSync(tweede));
    await site.evaluate(async () => {
      const root = await navigator.storage.getDirectory();
      window.showOpenFilePicker = async () => [await root.getFileHandle("Tweede.csv")];
      const folder = await root.getDirectoryHandle("Uit", { create: true });
      await folder.getDirectoryHandle("Tweede.txt", { create: true });
      window.showDirectoryPicker = async () => folder;
    });
    await site.click('#PageControl [data-page="0"]');
    await site.click("#PickButton");
    await site.waitForFunction(() => document.querySelectorAll("#InFileListBox li").length === 2);
    await site.click("#DoAllFolderBtn");
    await site.waitForFunction(() => !document.body.dataset.busy);
    const runEnd = await site.$eval("#StatusPanel0", (e) => e.textContent);
    assert.ok(
      (await SiteErrors(site)).includes(
        "Tweede.csv Uit/Tweede.txt Kan niet gemaakt worden... Er staat een map met die naam.",
      ),
    );
    const written = await site.evaluate(async () => {
      const folder = await (await navigator.storage.getDirectory()).getDirectoryHandle("Uit");
      const file = await (await folder.getFileHandle("Bewerkt.txt")).getFile();
      return [...new Uint8Array(await file.arrayBuffer())];
    });
    assert.deepEqual(Buffer.from(written), Native([edited], "none").report(edited));
    assert.equal(runEnd, "1 rapport in map Uit; 1 bestand geweigerd");

    // Of two reports whose names a Windows or macOS disk takes for one, the second is refused
    // in a folder too, though this folder could hold both.
    await WriteKept(site, "Open.csv", readFileSync(examples[1]));
    await WriteKept(site, "OPEN.csv", readFileSync(examples[2]));
    await site.evaluate(async () => {
      const root = await navigator.storage.getDirectory();
      window.showOpenFilePicker = async () => [
        await root.getFileHandle("Open.csv"),
        await root.getFileHandle("OPEN.csv"),
      ];
      window.showDirectoryPicker = async () => root.getDirectoryHandle("Uit2", { create: true });
    });
    await site.click('#PageControl [data-page="0"]');
    await site.click("#ClearListButton");
    const question = await site.waitForSelector("#MessageBox[open]");
    await question.$$eval("button", (b) => b.find((x) => x.textContent === "Ja").click());
    await site.click("#PickButton");
    await site.waitForFunction(() => document.querySelectorAll("#InFileListBox li").length === 2);
    await site.click("#DoAllFolderBtn");
    await site.waitForFunction(() => !document.body.dataset.busy);
    assert.equal(
      await site.$eval("#StatusPanel0", (e) => e.textContent),
      "1 rapport in map Uit2; 1 bestand geweigerd",
    );
    const reports = await site.evaluate(async () => {
      const folder = await (await navigator.storage.getDirectory()).getDirectoryHandle("Uit2");
      const names = [];
      for await (const name of folder.keys()) names.push(name);
      return names;
    });
    assert.equal(reports.length, 1);
    assert.match(reports[0], /^open\.txt$/i);

    // A folder gone leaves no later report a place: the run ends at the first report with one
    // message, as in the window.
    await site.evaluate(async () => {
      const root = await navigator.storage.getDirectory();
      window.showDirectoryPicker = async () => {
        const folder = await root.getDirectoryHandle("Weg", { create: true });
        await root.removeEntry("Weg", { recursive: true });
        return folder;
      };
    });
    await site.click('#PageControl [data-page="0"]');
    await site.click("#DoAllFolderBtn");
    const gone = await site.waitForSelector("#MessageBox[open]");
    assert.match(
      await gone.$eval(".text", (e) => e.textContent),
      /^Weg\/open\.txt\nKan niet gemaakt worden\.\.\.\nDe map bestaat niet\.$/i,
    );
    await gone.$eval("button", (button) => button.click());
    await site.waitForFunction(() => !document.body.dataset.busy);
    assert.equal(await site.$("#MessageBox[open]"), null);
    assert.equal(
      await site.$eval("#StatusPanel0", (e) => e.textContent),
      "Gestopt na 1 van 2 bestanden",
    );
    assert.equal(SummaryRows(await SiteErrors(site)).length, 1);
  } finally {
    server.close();
    await context.close();
  }
});
