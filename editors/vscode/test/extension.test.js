// The extension's own logic with stand-ins for VS Code and the language
// client: where it finds the tool, and how it opens the live preview.
'use strict';

const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const Module = require('node:module');
const { test } = require('node:test');

const settings = {};
const opened = [];
const errors = [];
let activeFile = null;
const vscode = {
  workspace: { getConfiguration: () => ({ get: (name) => settings[name] }) },
  window: {
    get activeTextEditor() {
      return activeFile && { document: { uri: { scheme: 'file', fsPath: activeFile } } };
    },
    showErrorMessage: (m) => errors.push(m),
  },
  env: { openExternal: (uri) => opened.push(uri) },
  Uri: { parse: (s) => s },
  commands: { registerCommand: () => ({}) },
};
const load = Module._load;
Module._load = function (request, ...rest) {
  if (request === 'vscode') return vscode;
  if (request === 'vscode-languageclient/node') return { LanguageClient: class {} };
  return load.call(this, request, ...rest);
};
const extension = require('../extension.js');

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'binario-vscode-'));
process.on('exit', () => fs.rmSync(scratch, { recursive: true, force: true }));

test('the tool: the setting, else the one beside the extension, else PATH', () => {
  const extensionPath = path.join(scratch, 'extension');
  fs.mkdirSync(extensionPath);
  const context = { extensionPath };
  const exe = process.platform === 'win32' ? 'binario.exe' : 'binario';
  assert.strictEqual(extension.binarioPath(context), exe);
  fs.writeFileSync(path.join(extensionPath, exe), '');
  assert.strictEqual(extension.binarioPath(context), path.join(extensionPath, exe));
  settings.path = '/opt/binario/bin/binario';
  assert.strictEqual(extension.binarioPath(context), '/opt/binario/bin/binario');
  delete settings.path;
});

test('the preview: serves the open text\'s folder and opens the address it prints', async () => {
  const folder = path.join(scratch, 'scenario folder');
  fs.mkdirSync(folder);
  activeFile = path.join(folder, 'R_T-.txt');
  // A stand-in tool that says where it serves, as `binario preview --serve` does.
  const tool = path.join(scratch, 'fake-binario');
  fs.writeFileSync(tool, '#!/bin/sh\necho "$1 $2 $3" > "$3/args"\n' +
    'echo "serving $3 at http://127.0.0.1:8123/ (Ctrl+C ends)"\nexec sleep 5\n', { mode: 0o755 });
  settings.path = tool;
  extension.openPreview({ extensionPath: scratch });
  for (let i = 0; i < 100 && opened.length === 0; ++i) await new Promise((r) => setTimeout(r, 50));
  assert.deepStrictEqual(opened, ['http://127.0.0.1:8123/']);
  assert.strictEqual(fs.readFileSync(path.join(folder, 'args'), 'utf8'), `preview --serve ${folder}\n`);
  extension.deactivate();
  delete settings.path;
});

test('the preview without an open text says what to do', () => {
  activeFile = null;
  extension.openPreview({ extensionPath: scratch });
  assert.match(errors.pop(), /open a route or scenario text first/);
});
