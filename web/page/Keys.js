// The keys of the page as a whole: the arrows between the tabs, as in the window's page
// control, and Ctrl+S for "Bewaar Fide2006".
export function BindKeys({ tabs, showPage, saveButton, save }) {
  for (const tab of tabs) {
    tab.addEventListener("click", () => showPage(Number(tab.dataset.page)));
    tab.addEventListener("keydown", (e) => {
      const step = { ArrowLeft: -1, ArrowRight: 1 }[e.key];
      if (!step) return;
      e.preventDefault();
      const next = tabs[(tabs.indexOf(tab) + step + tabs.length) % tabs.length];
      next.focus();
      showPage(Number(next.dataset.page));
    });
  }
  document.addEventListener("keydown", (e) => {
    if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === "s") {
      e.preventDefault();
      if (!saveButton.disabled) save();
    }
  });
}
