#!/usr/bin/perl
# Writes binario's manual page, its plain-text rendering and its bash
# completion from the tool's own --help output, so that all three say what
# the built tool accepts.
#
#   docs_from_help.pl --tool BINARIO --template binario.1.in --version V --date YYYY-MM-DD
#                     --man OUT.1 [--text OUT.txt] --completion OUT.bash
use strict;
use warnings;
use Getopt::Long;

my %arg;
GetOptions(\%arg, 'tool=s', 'template=s', 'version=s', 'date=s', 'man=s', 'text=s',
           'completion=s') or die "usage: see the head of $0\n";
for (qw(tool template version date man completion)) {
  die "$0: --$_ is needed\n" unless defined $arg{$_};
}

# Positional file arguments completed with a pattern instead of any file.
my %positional_pattern = (inspect => '@(sim|dat)', dump => '@(sim|dat)');

sub help_of {
  my @command = ($arg{tool}, @_, '--help');
  open(my $out, '-|', @command) or die "$0: cannot run @command: $!\n";
  local $/;
  my $text = <$out>;
  close($out) or die "$0: @command failed\n";
  return $text;
}

# CLI11's help: a description, a Usage line, sections of entries ("  NAME  text",
# a long name putting its text on the next line), then the footer.
sub parse_help {
  my ($text) = @_;
  my %help = (description => '', usage => '', footer => [], Positionals => [], Options => [],
              Subcommands => []);
  my ($section, $entry);
  for my $line (split /\n/, $text) {
    if ($line =~ /^Usage: (.*)$/) {
      $help{usage} = $1;
    } elsif ($line =~ /^(Positionals|Options|Subcommands):$/) {
      $section = $1;
    } elsif ($line =~ /^$/) {
      $section = undef;
      $entry = undef;
    } elsif ($section && $entry && $line =~ /^ {20,}(\S.*)$/) {
      $entry->{text} .= ($entry->{text} eq '' ? '' : ' ') . $1;
    } elsif ($section && $line =~ /^  (\S.*?)(?: {2,}(\S.*))?$/) {
      $entry = {spec => $1, text => $2 // ''};
      push @{$help{$section}}, $entry;
    } elsif ($section) {
      die "$0: cannot read this help line: $line\n";
    } elsif (!$help{usage}) {
      $help{description} .= ($help{description} eq '' ? '' : ' ') . $line;
    } else {
      push @{$help{footer}}, $line;
    }
  }
  die "$0: no Usage line in the help\n" unless $help{usage};
  $_ = parse_entry($_) for @{$help{Positionals}}, @{$help{Options}};
  return \%help;
}

# "-o,--output OUT REQUIRED", "FILE FILE ... REQUIRED", "--format TEXT:{text,json}",
# "--format ENUM:value in {csv->2,json->1,text->0} OR {2,1,0}=text".
sub parse_entry {
  my ($entry) = @_;
  my ($names, @rest) = split / /, $entry->{spec};
  my %e = (names => [split /,/, $names], text => $entry->{text}, required => 0, many => 0);
  my @type;
  for (@rest) {
    if ($_ eq 'REQUIRED') { $e{required} = 1 }
    elsif ($_ eq '...') { $e{many} = 1 }
    else { push @type, $_ }
  }
  my $type = join ' ', @type;
  $e{default} = $1 if $type =~ s/=(\S+)$//;
  ($e{metavar}, $e{check}) = split /:/, $type, 2;
  if (defined $e{check} && $e{check} =~ /\{([^}]*)\}/) {
    $e{choices} = [map { s/->.*//r } split /,/, $1];
    $e{check} = undef;
  }
  return \%e;
}

# Completion of an option's value or a positional argument, from its metavar.
sub value_kind {
  my ($e) = @_;
  return 'words' if $e->{choices};
  my $metavar = $e->{metavar} // '';
  return 'file' if $metavar =~ /^(FILE|OUT|PATH|SOURCE)$/;
  return 'dir' if $metavar eq 'DIR';
  return $metavar eq '' ? 'flag' : 'none';
}

my $top = parse_help(help_of());
my @commands;
for my $sub (@{$top->{Subcommands}}) {
  my $help = parse_help(help_of($sub->{spec}));
  push @commands, {name => $sub->{spec}, summary => $sub->{text}, help => $help};
}
die "$0: the help names no command\n" unless @commands;

# --- manual page ---------------------------------------------------------

# Roff text: backslashes kept, options and other dashes typed as minus signs,
# hyphens between letters kept as hyphens.
sub roff {
  my ($text) = @_;
  $text =~ s/\\/\\e/g;
  $text = join '', map {
    /^[("'`]*-/ ? s/-/\\-/gr : s/(?<![A-Za-z])-|-(?![A-Za-z])/\\-/gr
  } split /(\s+)/, $text;
  $text =~ s/^([.'])/\\&$1/;
  return $text;
}

sub sentence { my ($text) = @_; return $text =~ /[.!?]$/ ? $text : "$text." }

sub usage_roff {
  my ($usage) = @_;
  my ($program, @words) = split / /, $usage;
  my $command = @words && $words[0] =~ /^[a-z]+$/ ? ' ' . shift @words : '';
  my $rest = join ' ', map { roff($_) =~ s/([A-Z][A-Z0-9_]*)/\\fI$1\\fR/gr } @words;
  return ".B $program$command\n$rest\n";
}

sub entry_roff {
  my ($e, $positional) = @_;
  my $head;
  if ($positional) {
    $head = "\\fI$e->{names}[0]\\fR";
  } else {
    $head = join ', ', map { '\\fB' . roff($_) . '\\fR' } @{$e->{names}};
    if ($e->{choices}) {
      $head .= ' ' . join '|', map { "\\fB$_\\fR" } @{$e->{choices}};
    } elsif (value_kind($e) ne 'flag') {
      $head .= " \\fI$e->{metavar}\\fR";
    }
  }
  $head .= ' .\|.\|.' if $e->{many};
  my @notes;
  push @notes, 'required' if $e->{required};
  push @notes, lc $e->{check} if defined $e->{check};
  push @notes, "default: $e->{default}" if defined $e->{default};
  my $text = roff($e->{text});
  $text .= ' (' . join('; ', @notes) . ')' if @notes;
  return ".TP\n$head\n$text\n";
}

my ($exit_status, @description);
for (@{$top->{footer}}) {
  if (/^Exit status: (.*)$/) { $exit_status = roff(ucfirst $1) }
  else { push @description, ".PP\n" . roff($_) . "\n" }
}
die "$0: the help states no exit status\n" unless $exit_status;

my (%fill, @synopsis, @command_pages);
for my $c (@commands) {
  my $help = $c->{help};
  push @synopsis, usage_roff($help->{usage});
  my $page = ".SS $c->{name}\n" . usage_roff($help->{usage}) . ".PP\n" .
             roff(sentence($c->{summary})) . "\n";
  $page .= ".PP\n" . roff($_) . "\n" for @{$help->{footer}};
  $page .= entry_roff($_, 1) for @{$help->{Positionals}};
  $page .= entry_roff($_, 0) for grep { $_->{names}[0] ne '-h' } @{$help->{Options}};
  push @command_pages, $page;
}
my $whatis = $top->{description} =~ s/^binario \S+: //r =~ s/\.$//r;
%fill = (
  VERSION => $arg{version},
  DATE => $arg{date},
  NAME => "binario \\- " . roff($whatis) . "\n",
  SYNOPSIS => join(".br\n", @synopsis),
  DESCRIPTION => join('', @description),
  OPTIONS => join('', map { entry_roff($_, 0) } @{$top->{Options}}),
  COMMANDS => join('', @command_pages),
  EXIT_STATUS => "$exit_status\n",
);

open(my $template, '<', $arg{template}) or die "$0: $arg{template}: $!\n";
my $page = do { local $/; <$template> };
close($template);
$page =~ s/\@([A-Z_]+)\@\n?/exists $fill{$1} ? $fill{$1} : die "$0: no value for \@$1\@\n"/ge;

sub write_file {
  my ($name, $content) = @_;
  open(my $out, '>', "$name.tmp") or die "$0: $name.tmp: $!\n";
  print $out $content;
  close($out) or die "$0: $name.tmp: $!\n";
  rename("$name.tmp", $name) or die "$0: $name: $!\n";
}
write_file($arg{man}, $page);

if (defined $arg{text}) {
  # Plain ASCII, 78 columns, no overstriking: readable in any text editor.
  open(my $groff, '-|', 'groff', '-t', '-man', '-Tascii', '-rLL=78n', '-P-c', '-P-b', '-P-o',
       '-P-u', $arg{man}) or die "$0: cannot run groff: $!\n";
  my $text = do { local $/; <$groff> };
  close($groff) or die "$0: groff failed on $arg{man}\n";
  write_file($arg{text}, $text);
}

# --- bash completion -------------------------------------------------------

sub words { return join ' ', @_ }

sub complete_kind {
  my ($kind, $e, $pattern) = @_;
  return 'return' if $kind eq 'none';
  return "COMPREPLY=(\$(compgen -W '" . words(@{$e->{choices}}) . "' -- \"\$cur\"))" if $kind eq 'words';
  return '_filedir -d' if $kind eq 'dir';
  return defined $pattern ? "_filedir '$pattern'" : '_filedir';
}

my $cases = '';
for my $c (@commands) {
  my $help = $c->{help};
  my @options = map { @{$_->{names}} } @{$help->{Options}};
  my $values = '';
  for my $e (@{$help->{Options}}) {
    my $kind = value_kind($e);
    next if $kind eq 'flag';
    my $action = complete_kind($kind, $e);
    $action .= '; return' unless $action eq 'return';
    $values .= "                " . join(' | ', @{$e->{names}}) . ") $action ;;\n";
  }
  my $positional = $help->{Positionals}[0];
  my $arguments = $positional
      ? complete_kind(value_kind($positional), $positional, $positional_pattern{$c->{name}})
      : ':';
  $values = "            case \$prev in\n$values            esac\n" if $values ne '';
  $cases .= <<"EOF";
        $c->{name})
$values            \$split && return
            if [[ \$cur == -* ]]; then
                COMPREPLY=(\$(compgen -W '@{[words(@options)]}' -- "\$cur"))
            else
                $arguments
            fi
            ;;
EOF
}
my $top_options = words(map { @{$_->{names}} } @{$top->{Options}});
my $command_names = words(map { $_->{name} } @commands);

write_file($arg{completion}, <<"EOF");
# bash completion for binario $arg{version}                  -*- shell-script -*-
# Made from the tool's --help by packaging/docs_from_help.pl.

_binario()
{
    local cur prev words cword split
    _init_completion -s || return

    if ((cword == 1)); then
        if [[ \$cur == -* ]]; then
            COMPREPLY=(\$(compgen -W '$top_options' -- "\$cur"))
        else
            COMPREPLY=(\$(compgen -W '$command_names' -- "\$cur"))
            # A scenario folder as the only argument is checked and packed.
            _filedir -d
        fi
        return
    fi

    case \${words[1]} in
$cases    esac
} &&
    complete -F _binario binario

# ex: filetype=sh
EOF
