-- A real editor as the language server's client: Neovim, headless, opens a
-- scenario text with `binario lsp` as its server, waits for the diagnostics
-- and writes each as "LINE:COLUMN CODE MESSAGE" (the message's first line),
-- sorted, into $REPORT; then shuts the server down.
local tool = os.getenv('BINARIO')
local text = os.getenv('TEXT')
local report = os.getenv('REPORT')

local exit_status = nil
local client_id = vim.lsp.start_client({
  cmd = { tool, 'lsp' },
  name = 'binario',
  root_dir = vim.fn.fnamemodify(text, ':h'),
  on_exit = function(code) exit_status = code end,
})
vim.cmd('edit ' .. vim.fn.fnameescape(text))
vim.lsp.buf_attach_client(0, client_id)

local got = vim.wait(20000, function() return #vim.diagnostic.get(0) > 0 end, 50)
local lines = {}
for _, d in ipairs(vim.diagnostic.get(0)) do
  local first = d.message:match('[^\n]*')
  table.insert(lines, string.format('%d:%d %s %s', d.lnum + 1, d.col + 1, tostring(d.code), first))
end
table.sort(lines)
if not got then table.insert(lines, 'no diagnostics within 20 s') end

vim.lsp.stop_client(client_id)
vim.wait(5000, function() return exit_status ~= nil end, 50)
table.insert(lines, 'server exit status: ' .. tostring(exit_status))
vim.fn.writefile(lines, report)
vim.cmd('qa!')
