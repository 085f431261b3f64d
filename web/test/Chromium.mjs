// Debian's Chromium, headless, as root, with a fresh profile and nothing of its own on the
// network.
import puppeteer from "puppeteer-core";

export function LaunchChromium(profileDir) {
  return puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: "new",
    args: [
      "--no-sandbox",
      "--headless=new",
      "--disable-gpu",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--no-first-run",
      "--lang=en-US",
      `--user-data-dir=${profileDir}`,
    ],
  });
}
