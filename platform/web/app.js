'use strict';
// The page as an installed app: the worker that keeps the build for play with no network and
// takes a newer build for the next start only (never in the middle of a round), and the request
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

  // Once the menu is up, the worker is registered (on a first visit) and asked for the site's news:
  // its copying never competes with the start's download (on a first visit its copies come from
  // the browser's HTTP cache). A newer build it finds is copied whole and is what the next start
  // runs; this page goes on with the build it started with to its end. A page the worker serves
  // asks it straight away: a registration asked again can wait behind the browser's own checks
  // for a long time. The browser is then asked to look for a newer worker script, in the
  // background, since nothing waits for that.
  function lookForANewerBuildOnceTheMenuShows() {
    if (!worker) return;
    const timer = setInterval(() => {
      if (!window.Module || !Module.calledRun || !Module._WebProbe || Module._WebProbe(0) !== 1) return;
      clearInterval(timer);
      const served = Boolean(worker.controller);
      (served ? Promise.resolve() : worker.register('sw.js', { scope: './', updateViaCache: 'none' }))
        .then(() => worker.ready)
        .then((registration) => {
          const channel = new MessageChannel();
          channel.port1.onmessage = ({ data }) => {
            window.velmoraNextBuild = data.next;
            if (data.error) console.info('No newer build could be fetched now:', data.error);
            if (served) registration.update().catch(() => {});
          };
          registration.active.postMessage({ runs: window.velmoraBuild }, [channel.port2]);
        })
        .catch((error) => console.warn('The game cannot be kept for play with no network:', error.message));
    }, 250);
  }

  let persistAsked = false;
  function askToKeepStorage() {
    if (persistAsked || !navigator.storage || !navigator.storage.persist) return;
    persistAsked = true;
    navigator.storage.persisted().then((kept) => kept || navigator.storage.persist()).catch(() => {});
  }
  for (const name of ['pointerdown', 'keydown']) window.addEventListener(name, askToKeepStorage, { once: true });

  startGame();
  lookForANewerBuildOnceTheMenuShows();
})();
