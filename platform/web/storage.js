// The user folder /Data/User in the browser's lasting storage (IndexedDB), in the layout of
// Emscripten's IDBFS (database "/Data/User", store "FILE_DATA", one record per file path), so that
// progress kept by earlier versions loads unchanged. It is read into memory before the game
// starts and written back whole, in one transaction, after every change. Module.userStorage tells
// the game how it lasts: 0 in storage; 1 the storage could not be read, so nothing is written this
// visit and what it holds stays for the next; 2 there is no storage, the files last for this
// visit; 3 the storage refused a copy (full), so the last good one stays; 4 the game is open in
// another tab, which alone writes the folder: this one reads it and keeps nothing.
'use strict';
const velmoraStorage = (() => {
  const kFolder = '/Data/User', kStore = 'FILE_DATA';
  let database = null, writing = false, writeAgain = false;
  // Said on the console and kept with the page's other troubles (the page's complain()).
  const say = (text) => (typeof complain === 'function' ? complain(text, true) : console.warn(text));

  function open(done) {
    let request;
    try {
      request = indexedDB.open(kFolder, 21);
    } catch (error) {
      done(error);
      return;
    }
    request.onupgradeneeded = () => {
      const db = request.result;
      const store = db.objectStoreNames.contains(kStore) ? request.transaction.objectStore(kStore) : db.createObjectStore(kStore);
      if (!store.indexNames.contains('timestamp')) store.createIndex('timestamp', 'timestamp', { unique: false });
    };
    request.onsuccess = () => done(null, request.result);
    request.onerror = (event) => {
      event.preventDefault();
      done(request.error || new Error('the storage did not open'));
    };
  }

  // Before the game starts: every stored file into the folder; done() once, whatever happens. The
  // first tab holds the folder's lock for as long as it is open.
  function read(Module, done) {
    Module.FS.mkdirTree(kFolder);
    if (!navigator.locks) return readStorage(Module, done);
    navigator.locks.request('velmora-user-folder', { ifAvailable: true }, (lock) => {
      if (!lock) Module.userStorage = 4;
      readStorage(Module, done);
      return new Promise(() => {});
    }).catch(() => readStorage(Module, done));
  }

  function readStorage(Module, done) {
    if (typeof indexedDB === 'undefined' || !indexedDB) {
      Module.userStorage = 2;
      done();
      return;
    }
    const unreadable = (error) => {
      say(`Could not read the browser storage; it is left as it is: ${error}`);
      Module.userStorage = 1;
      done();
    };
    open((error, db) => {
      if (error) return unreadable(error);
      try {
        const transaction = db.transaction([kStore], 'readonly');
        const files = [];
        const cursor = transaction.objectStore(kStore).openCursor();
        cursor.onsuccess = () => {
          if (!cursor.result) return;
          files.push([cursor.result.key, cursor.result.value]);
          cursor.result.continue();
        };
        transaction.onabort = () => unreadable(transaction.error);
        transaction.oncomplete = () => {
          for (const [path, file] of files) {
            if (String(path).startsWith(kFolder + '/') && file && file.contents) Module.FS.writeFile(path, file.contents);
          }
          if (Module.userStorage !== 4) database = db;
          done();
        };
      } catch (caught) {
        unreadable(caught);
      }
    });
  }

  // After a user file was written: the whole folder as one transaction, one at a time.
  function write(Module) {
    if (database === null) return;
    if (writing) {
      writeAgain = true;
      return;
    }
    writing = true;
    const finished = (error) => {
      writing = false;
      if (error) {
        say(`Could not save to the browser storage; the last good copy stays: ${error}`);
        Module.userStorage = 3;
      }
      if (writeAgain) {
        writeAgain = false;
        write(Module);
      } else if (Module.onUserFolderSaved) Module.onUserFolderSaved();
    };
    try {
      const transaction = database.transaction([kStore], 'readwrite');
      const store = transaction.objectStore(kStore);
      const kept = new Set();
      for (const name of Module.FS.readdir(kFolder)) {
        const path = kFolder + '/' + name, stat = Module.FS.stat(path);
        if (!Module.FS.isFile(stat.mode)) continue;
        kept.add(path);
        store.put({ timestamp: stat.mtime, mode: stat.mode, contents: Module.FS.readFile(path) }, path);
      }
      const keys = store.getAllKeys();
      keys.onsuccess = () => keys.result.filter((key) => !kept.has(key)).forEach((key) => store.delete(key));
      transaction.oncomplete = () => finished(null);
      transaction.onabort = () => finished(transaction.error || new Error('the copy was refused'));
    } catch (error) {
      finished(error);
    }
  }

  return { read, write };
})();
