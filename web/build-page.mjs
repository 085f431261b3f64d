// Builds the single-file page: the core module (its WebAssembly embedded), the bundled page
// script and the styles inlined into the HTML, so that it opens from the disk without a network.
// Usage: node build-page.mjs <morvelander-core.js> <morvelander.html>
import { build } from "esbuild";
import { readFile, writeFile } from "node:fs/promises";
import { fileURLToPath } from "node:url";

const [corePath, outPath] = process.argv.slice(2);
const page = (name) => fileURLToPath(new URL(`page/${name}`, import.meta.url));

const bundle = await build({
  entryPoints: [page("main.js")],
  bundle: true,
  format: "iife",
  minify: true,
  target: "chrome100",
  write: false,
  logLevel: "warning",
});

// Text inside an inline script must not close the element it stands in.
const inlineScript = (text) => text.replace(/<\/script/gi, "<\\/script");

const html = await readFile(page("index.html"), "utf8");
const parts = {
  "/* style.css */": await readFile(page("style.css"), "utf8"),
  "/* core */": inlineScript(await readFile(corePath, "utf8")),
  "/* script */": inlineScript(bundle.outputFiles[0].text),
};
let out = html;
for (const [mark, text] of Object.entries(parts)) {
  if (!out.includes(mark)) throw new Error(`index.html lacks ${mark}`);
  out = out.replace(mark, () => text);
}
await writeFile(outPath, out);
