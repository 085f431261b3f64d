// The input list: files dropped on the page, picked or handed over by the system, in the
// window's order. An entry is { name, handle, file, size, date }: the browser's handle of the
// file where it gives one, else the File it gave, and the size and date it had when it came.
// Choosing an entry (double-click or Enter) opens it; "Verwijderen" (Delete, the buttons or
// the context menu) takes the chosen entries off the list, "Lijst leegmaken" all of them after
// a question. The active entry is announced, and the entry shown is the one highlighted.
import { Ask } from "./MessageBox.js";
import { TStopped } from "./Core.js";
import { FillIn, T } from "./Texts.js";

// The file of an entry as it is now.
const Current = ({ handle, file }) => (handle ? handle.getFile() : file);

// The size and date of an entry's file as it is now; null when it cannot be read.
async function Identity(entry) {
  try {
    const current = await Current(entry);
    return { size: current.size, date: current.lastModified };
  } catch {
    return null;
  }
}

// How many bytes of two files are compared at a time, so that two large files never both lie
// in memory whole.
const Chunk = 1 << 20;

async function SameBytes(a, b) {
  const [x, y] = await Promise.all([Current(a), Current(b)]);
  if (x.size !== y.size) return false;
  for (let at = 0; at < x.size; at += Chunk) {
    const [p, q] = await Promise.all(
      [x, y].map(async (f) => new Uint8Array(await f.slice(at, at + Chunk).arrayBuffer())),
    );
    for (let i = 0; i < p.length; ++i) if (p[i] !== q[i]) return false;
  }
  return true;
}

// Whether two entries of one name are the same file: one handle's entry; without handles the
// same size, date and bytes. A file that can no longer be read is taken for another one, so
// that the user is asked rather than an entry replaced unseen.
async function SameFile(a, b) {
  if (a.handle && b.handle) return a.handle.isSameEntry(b.handle);
  if (a.size === undefined || a.size !== b.size || a.date !== b.date) return false;
  return SameBytes(a, b).catch(() => false);
}

const two = (n) => String(n).padStart(2, "0");

// The size and date of an entry, for its tooltip: the browser gives no file's folder.
function Detail({ size, date }) {
  if (size === undefined) return "";
  const d = new Date(date);
  const day = `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}`;
  return FillIn(
    T.GrootteEnDatum,
    size.toLocaleString("nl-NL"),
    `${day} ${two(d.getHours())}:${two(d.getMinutes())}`,
  );
}

// An entry as the list and the rows name it: a second entry of a name has its number after it,
// "uitslagen.csv (2)".
export const Label = (entry) =>
  entry.number > 1 ? FillIn(T.Volgnummer, entry.name, entry.number) : entry.name;

// The name the core is given for an entry: a second entry of a name under a folder of its
// number, which the core's rows show as its number after the name.
export const CorePath = (entry) =>
  entry.number > 1 ? `${entry.number}/${entry.name}` : entry.name;

export class TFileList {
  // onOpen(entry): the entry chosen; onChange(entries): the list after every change.
  constructor(element, core, { onOpen, onChange }) {
    this.element = element;
    this.core = core;
    this.onOpen = onOpen;
    this.onChange = onChange;
    this.files = [];
    // The active entry (the keyboard's), and the chosen ones, which "Verwijderen" takes.
    this.active = -1;
    this.chosen = new Set();
    // The changes of the list, one at a time.
    this.changes = Promise.resolve();
    this.menu = document.getElementById("ListMenu");
    element.addEventListener("click", (e) => this.Click(e));
    element.addEventListener("dblclick", (e) => {
      const i = this.IndexOf(e.target);
      if (i >= 0) this.Open(this.files[i]);
    });
    element.addEventListener("keydown", (e) => this.KeyDown(e));
    element.addEventListener("focus", () => {
      if (this.active < 0) this.Select(0);
    });
    element.addEventListener("contextmenu", (e) => {
      e.preventDefault();
      const i = this.IndexOf(e.target);
      if (i >= 0 && !this.chosen.has(this.files[i])) this.Select(i);
      this.ShowMenu(e.clientX, e.clientY);
    });
    this.BindMenu();
  }

  get Files() {
    return this.files;
  }

  get Chosen() {
    return this.files.filter((f) => this.chosen.has(f));
  }

  // Adds the entries after every change asked for before: the same file again takes its
  // entry's place; another file of a listed name takes it only when the user says so, else
  // both are kept. The entries show at once and take their places in the window's order when
  // the core has given it, however long the core is busy.
  async Add(entries) {
    await this.Change(() => this.Take(entries));
    await this.Sort();
  }

  // Runs a change of the list after the ones asked for before it, so that two never
  // interleave.
  Change(work) {
    const done = this.changes.then(work);
    // The next change runs whatever became of this one; the caller hears of its failure.
    this.changes = done.catch(() => undefined);
    return done;
  }

  async Take(entries) {
    for (const entry of entries) {
      Object.assign(entry, await Identity(entry));
      const named = this.files.filter((f) => f.name === entry.name);
      let same = null;
      for (const f of named) if (!same && (await SameFile(f, entry))) same = f;
      const asked = !same && named.length > 0 && (await this.AskReplace(entry));
      const replaced = same ?? (asked ? named[0] : null);
      if (replaced) {
        entry.number = replaced.number;
        this.files[this.files.indexOf(replaced)] = entry;
        if (this.chosen.delete(replaced)) this.chosen.add(entry);
      } else {
        const used = new Set(named.map((f) => f.number));
        entry.number = 1;
        while (used.has(entry.number)) ++entry.number;
        this.files.push(entry);
      }
    }
    this.Show();
  }

  // Puts the list in the window's order, as the core sorts names. The order is asked for the
  // list as it is now and applied to the entries still listed when it comes; entries added
  // meanwhile stay after them until their own order comes.
  async Sort() {
    const asked = [...this.files];
    let order;
    try {
      order = await this.core.Call("SortedOrder", asked.map((f) => f.name));
    } catch (e) {
      // A core stopped meanwhile has left its place to a fresh one, which is asked instead.
      if (e instanceof TStopped) return this.Sort();
      throw e;
    }
    const sorted = order.map((i) => asked[i]).filter((f) => this.files.includes(f));
    const files = [...sorted, ...this.files.filter((f) => !asked.includes(f))];
    if (files.every((f, i) => f === this.files[i])) return;
    const active = this.files[this.active];
    this.files = files;
    this.active = active ? this.files.indexOf(active) : -1;
    this.Show();
  }

  async AskReplace(entry) {
    const answer = await Ask(
      `${entry.name} ${T.AlOpDeLijst}`,
      [
        { label: T.KnopBeideHouden, value: "both" },
        { label: T.KnopVervangen, value: "replace" },
      ],
      "both",
    );
    return answer === "replace";
  }

  IndexOf(target) {
    const item = target.closest("li");
    return item ? Number(item.dataset.index) : -1;
  }

  Click(e) {
    const i = this.IndexOf(e.target);
    if (i < 0) return;
    if (e.shiftKey && this.active >= 0) this.Extend(i);
    else if (e.ctrlKey || e.metaKey) this.Toggle(i);
    else this.Select(i);
  }

  // Makes entry i the active and only chosen one.
  Select(i) {
    if (i < 0 || i >= this.files.length) return;
    this.chosen = new Set([this.files[i]]);
    this.anchor = i;
    this.Activate(i);
  }

  // Chooses the entries from the anchor to i.
  Extend(i) {
    if (i < 0 || i >= this.files.length) return;
    const from = Math.min(this.anchor ?? i, i);
    const to = Math.max(this.anchor ?? i, i);
    this.chosen = new Set(this.files.slice(from, to + 1));
    this.Activate(i);
  }

  Toggle(i) {
    const entry = this.files[i];
    if (!this.chosen.delete(entry)) this.chosen.add(entry);
    this.anchor = i;
    this.Activate(i);
  }

  Activate(i) {
    this.active = i;
    for (const item of this.element.children) {
      const entry = this.files[Number(item.dataset.index)];
      item.setAttribute("aria-selected", String(this.chosen.has(entry)));
    }
    this.element.setAttribute("aria-activedescendant", this.element.children[i].id);
    this.element.children[i].scrollIntoView({ block: "nearest" });
    this.onChange(this.files);
  }

  // The entry the tables show: it alone is highlighted, so that Enter opens it again.
  Shown(entry) {
    const i = this.files.indexOf(entry);
    if (i >= 0) this.Select(i);
  }

  // Selects and opens the entry.
  Open(entry) {
    this.Select(this.files.indexOf(entry));
    this.onOpen(entry);
  }

  // Takes the chosen entries off the list; the entry after them, or else the one before, is
  // chosen next.
  Remove() {
    return this.Change(() => this.Drop());
  }

  Drop() {
    if (this.chosen.size === 0) return;
    const first = this.files.findIndex((f) => this.chosen.has(f));
    this.files = this.files.filter((f) => !this.chosen.has(f));
    this.chosen.clear();
    this.active = -1;
    this.Show();
    this.Select(Math.min(first, this.files.length - 1));
  }

  // Empties the list, when the user confirms.
  Clear() {
    return this.Change(() => this.Empty());
  }

  async Empty() {
    if (this.files.length === 0) return;
    const answer = await Ask(
      FillIn(T.LijstLeegmaken, this.files.length),
      [
        { label: T.KnopJa, value: "yes" },
        { label: T.KnopNee, value: "no" },
      ],
      "no",
    );
    if (answer !== "yes") return;
    this.files = [];
    this.chosen.clear();
    this.active = -1;
    this.Show();
  }

  KeyDown(e) {
    const last = this.files.length - 1;
    const move = {
      ArrowDown: Math.min(this.active + 1, last),
      ArrowUp: Math.max(this.active - 1, 0),
      Home: 0,
      End: last,
    }[e.key];
    if (move !== undefined) {
      if (e.shiftKey) this.Extend(move);
      else this.Select(move);
    } else if (e.key === "Enter" && this.active >= 0) this.onOpen(this.files[this.active]);
    else if (e.key === "Delete" && e.shiftKey) this.Clear();
    else if (e.key === "Delete") this.Remove();
    else if (e.key === "a" && (e.ctrlKey || e.metaKey) && last >= 0) {
      this.anchor = 0;
      this.Extend(last);
    } else if (e.key === "ContextMenu" || (e.key === "F10" && e.shiftKey)) {
      const item = this.element.children[Math.max(this.active, 0)];
      const at = (item ?? this.element).getBoundingClientRect();
      this.ShowMenu(at.left + 16, at.bottom);
    } else return;
    e.preventDefault();
  }

  // The context menu of the list; the arrows move in it, Escape and a click elsewhere close it.
  BindMenu() {
    const items = [...this.menu.querySelectorAll("button")];
    const close = () => {
      if (this.menu.hidden) return;
      this.menu.hidden = true;
      this.element.focus();
    };
    for (const item of items)
      item.addEventListener("click", () => {
        close();
        if (item.dataset.command === "remove") this.Remove();
        else this.Clear();
      });
    this.menu.addEventListener("keydown", (e) => {
      const at = items.indexOf(document.activeElement);
      if (e.key === "ArrowDown") items[(at + 1) % items.length].focus();
      else if (e.key === "ArrowUp") items[(at - 1 + items.length) % items.length].focus();
      else if (e.key === "Escape" || e.key === "Tab") close();
      else return;
      e.preventDefault();
    });
    document.addEventListener("mousedown", (e) => {
      if (!this.menu.contains(e.target)) close();
    });
  }

  ShowMenu(x, y) {
    const [remove, clear] = this.menu.querySelectorAll("button");
    remove.disabled = this.chosen.size === 0;
    clear.disabled = this.files.length === 0;
    this.menu.style.left = `${x}px`;
    this.menu.style.top = `${y}px`;
    this.menu.hidden = false;
    (remove.disabled ? clear : remove).focus();
  }

  Show() {
    const counts = new Map();
    for (const f of this.files) counts.set(f.name, (counts.get(f.name) ?? 0) + 1);
    this.element.replaceChildren(
      ...this.files.map((f, i) => {
        const item = document.createElement("li");
        item.setAttribute("role", "option");
        item.setAttribute("aria-selected", String(this.chosen.has(f)));
        item.dataset.index = String(i);
        item.id = `InFile-${i}`;
        item.textContent = f.name;
        // Entries of one name are told apart by their number, and by size and date on request.
        if (f.number > 1) {
          const span = item.appendChild(document.createElement("span"));
          span.className = "detail";
          span.textContent = Label(f).slice(f.name.length);
        }
        if (counts.get(f.name) > 1) item.title = Detail(f);
        return item;
      }),
    );
    if (this.active < 0 || this.active >= this.files.length)
      this.element.removeAttribute("aria-activedescendant");
    else this.element.setAttribute("aria-activedescendant", `InFile-${this.active}`);
    this.onChange(this.files);
  }
}
