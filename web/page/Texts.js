// The core's texts that the page fills in itself, once the core has started; %1 and %2 take
// numbers or names.
export const T = {};

export async function LoadTexts(core) {
  Object.assign(T, await core.Call("Texts"));
}

export const FillIn = (text, first, second) =>
  text.replace("%1", first).replace("%2", second ?? "");
