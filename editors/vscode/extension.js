// The binario texts in VS Code: `binario lsp` as the language server, and a
// command that opens the live preview of the scenario's folder.
'use strict';

const fs = require('fs');
const path = require('path');
const { spawn } = require('child_process');
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;
const previews = [];

// The tool: the setting, else the one beside the extension, else PATH's.
function binarioPath(context) {
  const setting = vscode.workspace.getConfiguration('binario').get('path');
  if (setting) return setting;
  const exe = process.platform === 'win32' ? 'binario.exe' : 'binario';
  for (const dir of [context.extensionPath, path.join(context.extensionPath, 'bin'),
                     path.dirname(context.extensionPath)]) {
    const candidate = path.join(dir, exe);
    if (fs.existsSync(candidate)) return candidate;
  }
  return exe;
}

// Starts `binario preview --serve FOLDER` for the open text's folder and
// opens the address it prints.
function openPreview(context) {
  const editor = vscode.window.activeTextEditor;
  if (!editor || editor.document.uri.scheme !== 'file') {
    vscode.window.showErrorMessage('binario: open a route or scenario text first');
    return;
  }
  const folder = path.dirname(editor.document.uri.fsPath);
  const server = spawn(binarioPath(context), ['preview', '--serve', folder]);
  previews.push(server);
  let printed = '';
  server.stdout.on('data', (chunk) => {
    printed += chunk.toString();
    const url = printed.match(/http:\/\/127\.0\.0\.1:\d+\/\S*/);
    if (url && !server.opened) {
      server.opened = true;
      vscode.env.openExternal(vscode.Uri.parse(url[0]));
    }
  });
  let errors = '';
  server.stderr.on('data', (chunk) => { errors += chunk.toString(); });
  server.on('error', (e) => vscode.window.showErrorMessage(`binario preview: ${e.message}`));
  server.on('exit', (code) => {
    if (code) vscode.window.showErrorMessage(`binario preview ended: ${errors.trim() || code}`);
  });
}

function activate(context) {
  client = new LanguageClient(
    'binario', 'binario',
    { command: binarioPath(context), args: ['lsp'] },
    { documentSelector: [{ language: 'binario-route' }, { language: 'binario-scenario' }] });
  client.start();
  context.subscriptions.push(
    vscode.commands.registerCommand('binario.openPreview', () => openPreview(context)));
}

function deactivate() {
  for (const p of previews) p.kill();
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate, binarioPath, openPreview };
