// The page's solver worker: runs the game's solver (zandrove-solver.js /
// .wasm, a module of its own) on searches the page hands over as text, and
// answers with how far each got and its report. One search at a time, on
// this worker's one thread; the page keeps its frames.
'use strict';

// Names of their own: emscripten's loader, loaded below into the same
// global scope, has a run() and more of its own.
let searchUnderWay = 0;  // for its progress messages
let solverReady = false;
const searchesWaiting = [];

function solveSearch(message) {
  searchUnderWay = message.id;
  const size = Module.lengthBytesUTF8(message.search) + 1, at = Module._malloc(size);
  Module.stringToUTF8(message.search, at, size);
  const report = Module._zandrove_solve(at);
  Module._free(at);
  postMessage({ id: message.id, report: report ? Module.UTF8ToString(report) : null });
}

var Module = {
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  // Called by the solver as it goes (src/platform/web/solve_worker_main.cpp).
  progress: (attempts) => postMessage({ id: searchUnderWay, attempts }),
  onRuntimeInitialized: () => {
    solverReady = true;
    while (searchesWaiting.length) solveSearch(searchesWaiting.shift());
  },
};

onmessage = (e) => {
  if (solverReady) solveSearch(e.data);
  else searchesWaiting.push(e.data);
};

importScripts('zandrove-solver.js');
