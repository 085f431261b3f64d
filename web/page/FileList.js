// The input list: files dropped on the page or picked, one entry per name, in the window's
// order. Choosing an entry (double-click or Enter) opens it.
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
      if (i >= 0) this.onOpen(this.files[i]);
    });
    element.addEventListener("keydown", (e) => this.KeyDown(e));
  }

  // Adds the files; a file of a name already listed replaces the older one.
  Add(files) {
    const chosen = this.files[this.selected];
    const byName = new Map(this.files.map((f) => [f.name, f]));
    for (const f of files) byName.set(f.name, f);
    const all = [...byName.values()];
    this.files = this.core.SortedOrder(all.map((f) => f.name)).map((i) => all[i]);
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
    this.element.children[i].scrollIntoView({ block: "nearest" });
  }

  KeyDown(e) {
    if (e.key === "ArrowDown") this.Select(Math.min(this.selected + 1, this.files.length - 1));
    else if (e.key === "ArrowUp") this.Select(Math.max(this.selected - 1, 0));
    else if (e.key === "Enter" && this.selected >= 0) this.onOpen(this.files[this.selected]);
    else return;
    e.preventDefault();
  }

  Show() {
    this.element.replaceChildren(
      ...this.files.map((f, i) => {
        const item = document.createElement("li");
        item.setAttribute("role", "option");
        item.setAttribute("aria-selected", String(i === this.selected));
        item.dataset.index = String(i);
        item.textContent = f.name;
        return item;
      }),
    );
  }
}
