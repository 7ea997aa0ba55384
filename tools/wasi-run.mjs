// Runs a WASI program (a .wasm built by the wasm preset) under Node.js, with
// its arguments and the standard streams; exits with the program's status.
// CTest puts this in front of every test of the wasm build.
//
//   node tools/wasi-run.mjs PROGRAM.wasm [ARGUMENTS...]
import { readFile } from 'node:fs/promises';
import { WASI } from 'node:wasi';

process.removeAllListeners('warning');  // WASI's "experimental" notice
const [program, ...args] = process.argv.slice(2);
if (!program) {
    console.error('usage: node tools/wasi-run.mjs PROGRAM.wasm [ARGUMENTS...]');
    process.exit(2);
}
const wasi = new WASI({ version: 'preview1', args: [program, ...args], env: {}, returnOnExit: true });
const module = await WebAssembly.compile(await readFile(program));
// wasiImport rather than getImportObject(), which Node.js 18 (Debian 12's) lacks.
const instance = await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi.wasiImport });
process.exitCode = wasi.start(instance);
