// Builds the single-file page: the styles, the bundled page script and the worker's script (the
// core module, its WebAssembly embedded, and the bundled worker) inlined into the HTML, so that
// it opens from the disk without a network; the page starts its worker from that text.
// It also fills the folder for a web server: the same page with a web app manifest and a service
// worker that keeps it for use offline; the PNG icons are drawn into that folder beforehand.
// Usage: node build-page.mjs <morvelander-core.js> <icon.svg> <morvelander.html> <site folder>
import { build } from "esbuild";
import { createHash } from "node:crypto";
import { mkdir, readFile, writeFile } from "node:fs/promises";
import { join } from "node:path";
import { fileURLToPath } from "node:url";

const [corePath, iconPath, outPath, siteDir] = process.argv.slice(2);
const page = (name) => fileURLToPath(new URL(`page/${name}`, import.meta.url));

const Bundle = async (name) =>
  (
    await build({
      entryPoints: [page(name)],
      bundle: true,
      format: "iife",
      minify: true,
      target: ["chrome100", "firefox115"],
      write: false,
      logLevel: "warning",
    })
  ).outputFiles[0].text;

// Text inside an inline script must not close the element it stands in.
const inlineScript = (text) => text.replace(/<\/script/gi, "<\\/script");

const icon = await readFile(iconPath);
const iconLink = `<link rel="icon" href="data:image/svg+xml;base64,${icon.toString("base64")}">`;
const html = await readFile(page("index.html"), "utf8");
const parts = {
  "/* style.css */": await readFile(page("style.css"), "utf8"),
  "/* worker */": inlineScript(
    `${await readFile(corePath, "utf8")}\n${await Bundle("CoreWorker.js")}`,
  ),
  "/* script */": inlineScript(await Bundle("main.js")),
};
const Fill = (text, marks) => {
  let out = text;
  for (const [mark, value] of Object.entries(marks)) {
    if (!out.includes(mark)) throw new Error(`a page file lacks ${mark}`);
    out = out.replace(mark, () => value);
  }
  return out;
};
const single = Fill(html, parts);
await writeFile(outPath, Fill(single, { "<!-- links -->": iconLink }));

const site = Fill(single, {
  "<!-- links -->": `${iconLink}\n<link rel="manifest" href="manifest.webmanifest">`,
});
const manifest = {
  name: "Morvelander",
  short_name: "Morvelander",
  description: "Jeugd csv naar Fide2006",
  lang: "nl",
  start_url: "./",
  scope: "./",
  display: "standalone",
  background_color: "#ece9d8",
  theme_color: "#0a246a",
  // Installed, the page is the system's "Open with" program for *.csv files; a file opened
  // while the page is open goes to its list.
  file_handlers: [{ action: "./", accept: { "text/csv": [".csv"] } }],
  launch_handler: { client_mode: "focus-existing" },
  icons: [
    { src: "icon-192.png", sizes: "192x192", type: "image/png" },
    { src: "icon-512.png", sizes: "512x512", type: "image/png" },
    { src: "icon.svg", sizes: "any", type: "image/svg+xml" },
  ],
};
const version = createHash("sha256").update(site).update(icon).digest("hex").slice(0, 16);
await mkdir(siteDir, { recursive: true });
await writeFile(join(siteDir, "index.html"), site);
await writeFile(join(siteDir, "manifest.webmanifest"), `${JSON.stringify(manifest, null, 2)}\n`);
await writeFile(join(siteDir, "icon.svg"), icon);
const serviceWorker = await readFile(page("ServiceWorker.js"), "utf8");
await writeFile(
  join(siteDir, "sw.js"),
  Fill(serviceWorker, { "/* cache */": `morvelander-${version}` }),
);
