// The decimal separator of the reports: the user's choice of "," or ".", remembered by the
// browser, and until one is made that of the page's preferred languages.
const Key = "morvelander.decimaalteken";
const Choices = [",", "."];

function FromLanguages() {
  const format = new Intl.NumberFormat(navigator.languages?.length ? navigator.languages : []);
  const part = format.formatToParts(1.5).find((p) => p.type === "decimal");
  return part && Choices.includes(part.value) ? part.value : ".";
}

function Remembered() {
  try {
    return localStorage.getItem(Key);
  } catch {
    return null;
  }
}

export function DecimalSeparator() {
  const chosen = Remembered();
  return Choices.includes(chosen) ? chosen : FromLanguages();
}

// Shows the separator in the chooser; onChoose(separator) follows each choice, once kept.
export function BindSeparator(select, onChoose) {
  select.value = DecimalSeparator();
  select.addEventListener("change", () => {
    localStorage.setItem(Key, select.value);
    onChoose(select.value);
  });
}
