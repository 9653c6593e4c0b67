'use strict';
// The page as an installed app: the worker that keeps the build for play with no network, the
// hand-over to a newer build at the start only (never in the middle of a round), and the request
// that the browser keep the page's storage (the saves among it) rather than clear it when short
// of room or after weeks without a visit.
(() => {
  // Some browsers have no workers here (private windows, automation, plain HTTP) or refuse to
  // say: the game then starts as a plain page.
  let worker = null;
  try {
    worker = navigator.serviceWorker || null;
  } catch (error) {
    worker = null;
  }
  window.velmoraBuild = document.querySelector('meta[name="velmora-build"]').content;

  function startGame() {
    if (window.velmoraStartGame) return window.velmoraStartGame();
    const script = document.createElement('script');
    script.src = 'Velmora.js';
    script.async = true;
    document.body.appendChild(script);
  }

  // A newer build's worker that has cached all of it waits for this moment: before anything of
  // this build runs, the page hands over to it and starts again from it.
  async function start() {
    if (!worker) return startGame();
    const registration = await Promise.race([worker.getRegistration(), new Promise((resolve) => setTimeout(resolve, 2000))])
      .catch(() => null);
    const next = registration && worker.controller && (registration.waiting ||
      (registration.active && registration.active.state === 'activating' ? registration.active : null));
    if (next) {
      // Taken over: start again from the new build. Given up (it could not take over): go on
      // with this one. No answer for long: start again, which asks again. Chromium hands over once
      // the old worker has nothing in hand, at the latest when it stops after 30 s without work:
      // starting again sooner than that gives it work again, and the page could wait on for minutes.
      const handedOver = await new Promise((resolve) => {
        worker.addEventListener('controllerchange', () => resolve(true), { once: true });
        next.addEventListener('statechange', () => {
          if (next.state === 'redundant') resolve(false);
        });
        setTimeout(() => resolve(true), 90000);
        next.postMessage('take-over');
      });
      if (handedOver) {
        location.reload();
        return;
      }
    }
    startGame();
  }

  // The worker is registered once the menu is up, so that its copying never competes with the
  // first visit's download; its copies come from the browser's HTTP cache then.
  function registerOnceTheMenuShows() {
    if (!worker) return;
    const timer = setInterval(() => {
      if (!window.Module || !Module.calledRun || !Module._WebProbe || Module._WebProbe(0) !== 1) return;
      clearInterval(timer);
      worker.register('sw.js', { scope: './', updateViaCache: 'none' }).catch((error) => {
        console.warn('The game cannot be kept for play with no network:', error.message);
      });
    }, 250);
  }

  let persistAsked = false;
  function askToKeepStorage() {
    if (persistAsked || !navigator.storage || !navigator.storage.persist) return;
    persistAsked = true;
    navigator.storage.persisted().then((kept) => kept || navigator.storage.persist()).catch(() => {});
  }
  for (const name of ['pointerdown', 'keydown']) window.addEventListener(name, askToKeepStorage, { once: true });

  start();
  registerOnceTheMenuShows();
})();
