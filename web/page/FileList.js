// The input list: files dropped on the page, picked or handed over by the system, one entry
// per name, in the window's order. An entry is { name, handle, file }: the browser's handle
// of the file where it gives one, else the File it gave. Choosing an entry (double-click or
// Enter) opens it; Delete takes it off the list; the active entry is announced.
export class TFileList {
  // onOpen(entry): the entry chosen; onChange(entries): the list after every change.
  constructor(element, core, { onOpen, onChange }) {
    this.element = element;
    this.core = core;
    this.onOpen = onOpen;
    this.onChange = onChange;
    this.files = [];
    this.selected = -1;
    element.addEventListener("click", (e) => this.Select(this.IndexOf(e.target)));
    element.addEventListener("dblclick", (e) => {
      const i = this.IndexOf(e.target);
      if (i >= 0) this.Open(this.files[i]);
    });
    element.addEventListener("keydown", (e) => this.KeyDown(e));
    element.addEventListener("focus", () => {
      if (this.selected < 0) this.Select(0);
    });
  }

  // Adds the entries; an entry of a name already listed replaces the older one.
  async Add(entries) {
    const chosen = this.files[this.selected];
    const byName = new Map(this.files.map((f) => [f.name, f]));
    for (const f of entries) byName.set(f.name, f);
    const all = [...byName.values()];
    const order = await this.core.Call("SortedOrder", all.map((f) => f.name));
    this.files = order.map((i) => all[i]);
    this.selected = chosen ? this.files.findIndex((f) => f.name === chosen.name) : -1;
    this.Show();
  }

  get Files() {
    return this.files;
  }

  // The entry of the name, if listed.
  Find(name) {
    return this.files.find((f) => f.name === name);
  }

  IndexOf(target) {
    const item = target.closest("li");
    return item ? Number(item.dataset.index) : -1;
  }

  Select(i) {
    if (i < 0 || i >= this.files.length) return;
    this.selected = i;
    for (const item of this.element.children)
      item.setAttribute("aria-selected", String(Number(item.dataset.index) === i));
    this.element.setAttribute("aria-activedescendant", this.element.children[i].id);
    this.element.children[i].scrollIntoView({ block: "nearest" });
  }

  // Selects and opens the entry.
  Open(entry) {
    this.Select(this.files.indexOf(entry));
    this.onOpen(entry);
  }

  // Takes the selected entry off the list; the next one, or else the one before, is selected.
  Remove() {
    if (this.selected < 0) return;
    this.files.splice(this.selected, 1);
    this.selected = Math.min(this.selected, this.files.length - 1);
    this.Show();
  }

  KeyDown(e) {
    if (e.key === "ArrowDown") this.Select(Math.min(this.selected + 1, this.files.length - 1));
    else if (e.key === "Home") this.Select(0);
    else if (e.key === "End") this.Select(this.files.length - 1);
    else if (e.key === "ArrowUp") this.Select(Math.max(this.selected - 1, 0));
    else if (e.key === "Enter" && this.selected >= 0) this.onOpen(this.files[this.selected]);
    else if (e.key === "Delete") this.Remove();
    else return;
    e.preventDefault();
  }

  Show() {
    if (this.selected < 0) this.element.removeAttribute("aria-activedescendant");
    else this.element.setAttribute("aria-activedescendant", `InFile-${this.selected}`);
    this.element.replaceChildren(
      ...this.files.map((f, i) => {
        const item = document.createElement("li");
        item.setAttribute("role", "option");
        item.setAttribute("aria-selected", String(i === this.selected));
        item.dataset.index = String(i);
        item.id = `InFile-${i}`;
        item.textContent = f.name;
        return item;
      }),
    );
    this.onChange(this.files);
  }
}
