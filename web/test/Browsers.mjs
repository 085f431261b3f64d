// The browsers the page is tried in, headless, with a fresh profile and nothing of their own on
// the network: Debian's Chromium and Firefox ESR.
import puppeteer from "puppeteer-core";

export function Launch(engine, profileDir) {
  if (engine === "firefox")
    return puppeteer.launch({
      browser: "firefox",
      executablePath: "/usr/bin/firefox-esr",
      headless: true,
      userDataDir: profileDir,
      extraPrefsFirefox: { "intl.locale.requested": "en-US", "app.update.enabled": false },
    });
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
