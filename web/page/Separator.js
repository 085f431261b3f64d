// The decimal separator of the reports: the user's choice, remembered by the browser, and until
// one is made that of the page's preferred languages. Which separators the reports take is the
// core's to say: it starts with the one it takes.
const Key = "morvelander.decimaalteken";

function FromLanguages() {
  const format = new Intl.NumberFormat(navigator.languages?.length ? navigator.languages : []);
  return format.formatToParts(1.5).find((p) => p.type === "decimal")?.value ?? "";
}

function Remembered() {
  try {
    return localStorage.getItem(Key);
  } catch {
    return null;
  }
}

export function DecimalSeparator() {
  return Remembered() ?? FromLanguages();
}

// onChoose(separator) follows each choice in the chooser, once kept.
export function BindSeparator(select, onChoose) {
  select.addEventListener("change", () => {
    localStorage.setItem(Key, select.value);
    onChoose(select.value);
  });
}
