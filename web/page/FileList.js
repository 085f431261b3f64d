// The input list: files dropped on the page or picked, one entry per name, in the window's
// order. Choosing an entry (double-click or Enter) opens it; the active entry is announced.
export class TFileList {
  constructor(element, core, onOpen) {
    this.element = element;
    this.core = core;
    this.onOpen = onOpen;
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

  // Adds the files; a file of a name already listed replaces the older one.
  async Add(files) {
    const chosen = this.files[this.selected];
    const byName = new Map(this.files.map((f) => [f.name, f]));
    for (const f of files) byName.set(f.name, f);
    const all = [...byName.values()];
    const order = await this.core.Call("SortedOrder", all.map((f) => f.name));
    this.files = order.map((i) => all[i]);
    this.selected = chosen ? this.files.findIndex((f) => f.name === chosen.name) : -1;
    this.Show();
  }

  get Files() {
    return this.files;
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

  // Selects and opens the entry of the file.
  Open(file) {
    this.Select(this.files.indexOf(file));
    this.onOpen(file);
  }

  KeyDown(e) {
    if (e.key === "ArrowDown") this.Select(Math.min(this.selected + 1, this.files.length - 1));
    else if (e.key === "Home") this.Select(0);
    else if (e.key === "End") this.Select(this.files.length - 1);
    else if (e.key === "ArrowUp") this.Select(Math.max(this.selected - 1, 0));
    else if (e.key === "Enter" && this.selected >= 0) this.onOpen(this.files[this.selected]);
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
  }
}
