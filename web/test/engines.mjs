// Whether the browser test's npm packages run on a given Node.js: every
// package in package-lock.json whose "engines" names node must allow it.
// The Node a newcomer has is Debian 12's own (apt install nodejs), so that
// version is always checked, beside the Node that runs this script; a
// machine that happens to carry a newer Node cannot hide a package that
// needs one.
//   node engines.mjs [NODE-PROGRAM-NAME]   exit 1 with one line if either fails
//   node engines.mjs --version X.Y.Z       that version alone
// Written for old Nodes too: it must run to say that one is too old.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

// Debian 12's nodejs package (bookworm, with its updates): the oldest Node
// the browser test must run on.
const DEBIAN_12_NODE = '18.20.4';

const here = path.dirname(fileURLToPath(import.meta.url));
const lock = JSON.parse(fs.readFileSync(path.join(here, 'package-lock.json'), 'utf8'));

// Versions as [major, minor, patch]; a part given as x, X or * (or left
// out) is null.
function parseVersion(text, range) {
  const m = /^v?(\d+|[xX*])(?:\.(\d+|[xX*]))?(?:\.(\d+|[xX*]))?$/.exec(text);
  if (!m) throw new Error(`cannot read the engines range "${range}"`);
  const parts = [m[1], m[2], m[3]].map((p) => (p === undefined || /[xX*]/.test(p) ? null : Number(p)));
  // 18.x.3 means 18.x: nothing after a wildcard counts.
  const first = parts.indexOf(null);
  return first < 0 ? parts : parts.map((p, i) => (i < first ? p : null));
}
const compare = (a, b) => a[0] - b[0] || a[1] - b[1] || a[2] - b[2];
const low = (v) => v.map((p) => (p === null ? 0 : p));
// The first version above everything v covers (1.2 covers 1.2.*: 1.3.0).
function above(v) {
  const given = v.filter((p) => p !== null).length;
  if (given === 3) return [v[0], v[1], v[2] + 1];
  if (given === 2) return [v[0], v[1] + 1, 0];
  if (given === 1) return [v[0] + 1, 0, 0];
  return null;  // * covers every version
}

function allows(version, comparator, range) {
  const m = /^(<=|>=|<|>|=|\^|~>?|)(.*)$/.exec(comparator);
  const op = m[1];
  const v = parseVersion(m[2], range);
  const lo = low(v), hi = above(v);
  switch (op) {
    case '>=': return compare(version, lo) >= 0;
    case '>': return hi !== null && compare(version, hi) >= 0;
    case '<': return compare(version, lo) < 0;
    case '<=': return hi === null || compare(version, hi) < 0;
    case '^': {
      // Up to the next change of the first part that is not zero.
      if (v[0] === null) return true;
      const top = v[0] !== 0 || v[1] === null ? [v[0] + 1, 0, 0]
        : v[1] !== 0 || v[2] === null ? [0, v[1] + 1, 0] : [0, 0, v[2] + 1];
      return compare(version, lo) >= 0 && compare(version, top) < 0;
    }
    case '~': case '~>': {
      if (v[0] === null) return true;
      const top = v[1] === null ? [v[0] + 1, 0, 0] : [v[0], v[1] + 1, 0];
      return compare(version, lo) >= 0 && compare(version, top) < 0;
    }
    default: return compare(version, lo) >= 0 && (hi === null || compare(version, hi) < 0);
  }
}

// npm's range syntax as packages write engines: alternatives with ||,
// comparators joined by spaces, hyphen ranges, x-ranges, ^ and ~.
function satisfies(version, range) {
  return range.split('||').some((alternative) => {
    const set = alternative.trim().replace(/(<=|>=|<|>|=|\^|~>?)\s+/g, '$1');
    const hyphen = /^(\S+)\s+-\s+(\S+)$/.exec(set);
    if (hyphen) return allows(version, '>=' + hyphen[1], range) && allows(version, '<=' + hyphen[2], range);
    if (set === '') return true;
    return set.split(/\s+/).every((c) => allows(version, c, range));
  });
}

// The packages that do not allow VERSION, as "name version needs node RANGE".
function refusing(versionText) {
  const version = low(parseVersion(versionText, versionText));
  const found = [];
  for (const [where, pkg] of Object.entries(lock.packages || {})) {
    const range = pkg.engines && pkg.engines.node;
    if (!range || satisfies(version, range)) continue;
    const name = where === '' ? lock.name : where.slice(where.lastIndexOf('node_modules/') + 'node_modules/'.length);
    found.push(`${name} ${pkg.version || ''} needs node ${range}`.replace('  ', ' '));
  }
  return found;
}

const args = process.argv.slice(2);
try {
  if (args[0] === '--version') {
    const no = refusing(args[1]);
    if (no.length) {
      console.error(`the browser test's npm packages do not run on Node.js ${args[1]}: ${no.join('; ')}`);
      process.exit(1);
    }
  } else {
    const running = process.versions.node;
    const no = refusing(running);
    if (no.length) {
      console.error(`Node.js ${running} (${args[0] || process.execPath}) is too old for the browser test: ` +
                    `${no.join('; ')}; install a newer nodejs, or name one in ZANDROVE_NODE`);
      process.exit(1);
    }
    const debian = refusing(DEBIAN_12_NODE);
    if (debian.length) {
      console.error(`Debian 12's Node.js ${DEBIAN_12_NODE} cannot run the browser test: ${debian.join('; ')}; ` +
                    'pin a version that allows it in web/test/package.json');
      process.exit(1);
    }
  }
} catch (e) {
  console.error(`web/test/engines.mjs: ${e.message}`);
  process.exit(1);
}
