// The game folder in the browser's storage (IndexedDB through Emscripten's
// IDBFS). Loaded after the program's own code, so FS and IDBFS are in scope.
//
// open(folder) mounts the storage there and loads what it holds; watch()
// then saves the folder after every change the program makes to it: files
// written and closed, renamed, deleted, folders made and removed. Changes of
// one turn of the page's event loop are saved together, in one storage
// transaction; a save that is asked for while one runs follows it. (A flush
// of a file, fsync, also saves the storage, through Emscripten itself.)
Module.zindropStorage = {
  folder: null,     // the mounted folder, without its final "/"
  loaded: false,    // what storage held is in the folder (or there is no storage)
  available: true,  // false when the browser refused the storage
  saving: false,    // a save runs
  pending: false,   // another save is wanted once it has finished
  scheduled: false, // a save will start at the end of this turn
  saves: 0,         // saves finished, for tests
  times: {},        // the page's clock at each step of start-up, for measurements

  open(folder) {
    this.times.opened = performance.now();
    this.folder = folder.replace(/\/$/, "");
    FS.mkdir(this.folder);
    // Emscripten aborts the program when it finds no IndexedDB at all.
    if (!(window.indexedDB || window.mozIndexedDB || window.webkitIndexedDB || window.msIndexedDB)) {
      this.refuse("no IndexedDB");
      this.loaded = true;
      return;
    }
    try {
      FS.mount(IDBFS, {}, this.folder);
    } catch (e) {
      this.refuse(e);
      this.loaded = true;
      return;
    }
    FS.syncfs(true, (error) => {
      if (error) {
        // Without storage the folder must still take the game's files: a
        // flush on the storage's mount would fail every write.
        this.refuse(error);
        FS.unmount(this.folder);
      }
      this.times.loaded = performance.now();
      this.loaded = true;
    });
  },

  refuse(error) {
    this.available = false;
    console.warn("Zindrop 7: the browser's storage cannot be used, so nothing will be kept:", error);
  },

  // True when every change has been saved.
  idle() {
    return !this.saving && !this.pending && !this.scheduled;
  },

  inFolder(path) {
    return typeof path === "string" && (path === this.folder || path.startsWith(this.folder + "/"));
  },

  watch() {
    this.times.merged = performance.now();
    const storage = this;
    const after = (name, changes) => {
      const original = FS[name];
      FS[name] = function () {
        const result = original.apply(FS, arguments);
        if (changes.apply(null, arguments)) storage.save();
        return result;
      };
    };
    after("rename", (from, to) => storage.inFolder(from) || storage.inFolder(to));
    after("unlink", (path) => storage.inFolder(path));
    after("rmdir", (path) => storage.inFolder(path));
    after("mkdir", (path) => storage.inFolder(path));
    after("truncate", (path) => storage.inFolder(path));
    // O_WRONLY or O_RDWR: the stream may have written.
    after("close", (stream) => (stream.flags & 3) !== 0 && storage.inFolder(stream.path));
    this.save();
  },

  save() {
    if (!this.available || this.scheduled) return;
    this.scheduled = true;
    setTimeout(() => {
      this.scheduled = false;
      this.run();
    }, 0);
  },

  run() {
    if (this.saving) {
      this.pending = true;
      return;
    }
    // The program's own flushes (fsync) save the storage too; two saves at
    // once could each miss what the other changed, so this one waits.
    if (FS.syncFSRequests > 0) {
      this.scheduled = true;
      setTimeout(() => {
        this.scheduled = false;
        this.run();
      }, 10);
      return;
    }
    this.saving = true;
    FS.syncfs(false, (error) => {
      this.saving = false;
      if (error) console.warn("Zindrop 7: saving to the browser's storage failed:", error);
      else this.saves++;
      if (!this.times.firstSaved) this.times.firstSaved = performance.now();
      if (this.pending) {
        this.pending = false;
        this.run();
      }
    });
  },
};
