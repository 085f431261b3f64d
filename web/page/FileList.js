// The input list: files dropped on the page, picked or handed over by the system, in the
// window's order. An entry is { name, handle, file, size, date }: the browser's handle of the
// file where it gives one, else the File it gave, and the size and date it had when it came.
// Choosing an entry (double-click or Enter) opens it; "Verwijderen" (Delete, the buttons or
// the context menu) takes the chosen entries off the list, "Lijst leegmaken" all of them after
// a question. The active entry is announced, and the entry shown is the one highlighted.
import { Ask } from "./MessageBox.js";
import { FillIn, T } from "./Texts.js";

// The size and date of an entry's file as it is now; null when it cannot be read.
async function Identity({ handle, file }) {
  try {
    const current = handle ? await handle.getFile() : file;
    return { size: current.size, date: current.lastModified };
  } catch {
    return null;
  }
}

// Whether two entries of one name are the same file: one handle's entry, or else the same
// size and date.
async function SameFile(a, b) {
  if (a.handle && b.handle) return a.handle.isSameEntry(b.handle);
  return a.size !== undefined && a.size === b.size && a.date === b.date;
}

const two = (n) => String(n).padStart(2, "0");

// How an entry is told apart from another of its name: the browser gives no file's folder, so
// by its size and date.
function Detail({ size, date }) {
  if (size === undefined) return "";
  const d = new Date(date);
  const day = `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}`;
  return `${size.toLocaleString("nl-NL")} B, ${day} ${two(d.getHours())}:${two(d.getMinutes())}`;
}

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

  // Adds the entries. The same file again takes its entry's place; another file of a listed
  // name takes it only when the user says so, else both are kept.
  async Add(entries) {
    const active = this.files[this.active];
    for (const entry of entries) {
      Object.assign(entry, await Identity(entry));
      const named = this.files.filter((f) => f.name === entry.name);
      let same = null;
      for (const f of named) if (!same && (await SameFile(f, entry))) same = f;
      const asked = !same && named.length > 0 && (await this.AskReplace(entry));
      const replaced = same ?? (asked ? named[0] : null);
      if (replaced) this.files[this.files.indexOf(replaced)] = entry;
      else this.files.push(entry);
      if (replaced && this.chosen.delete(replaced)) this.chosen.add(entry);
    }
    const order = await this.core.Call("SortedOrder", this.files.map((f) => f.name));
    this.files = order.map((i) => this.files[i]);
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
    if (this.chosen.size === 0) return;
    const first = this.files.findIndex((f) => this.chosen.has(f));
    this.files = this.files.filter((f) => !this.chosen.has(f));
    this.chosen.clear();
    this.active = -1;
    this.Show();
    this.Select(Math.min(first, this.files.length - 1));
  }

  // Empties the list, when the user confirms.
  async Clear() {
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
        // Two files of one name are told apart.
        const detail = counts.get(f.name) > 1 ? Detail(f) : "";
        if (detail) {
          const span = item.appendChild(document.createElement("span"));
          span.className = "detail";
          span.textContent = ` (${detail})`;
        }
        return item;
      }),
    );
    if (this.active < 0 || this.active >= this.files.length)
      this.element.removeAttribute("aria-activedescendant");
    else this.element.setAttribute("aria-activedescendant", `InFile-${this.active}`);
    this.onChange(this.files);
  }
}
