#!/usr/bin/perl
# Writes CHANGELOG.md's released versions in the Debian changelog format, for
# the package's /usr/share/doc/binario/changelog.gz.
#
#   changelog_to_debian.pl --maintainer "NAME <ADDRESS>" CHANGELOG.md OUT
use strict;
use warnings;
use Getopt::Long;
use POSIX qw(setlocale strftime LC_TIME);
use Text::Wrap qw(wrap);

my $maintainer;
GetOptions('maintainer=s' => \$maintainer) and defined $maintainer and @ARGV == 2
    or die "usage: $0 --maintainer 'NAME <ADDRESS>' CHANGELOG.md OUT\n";
my ($source, $target) = @ARGV;

open(my $in, '<', $source) or die "$0: $source: $!\n";
my (@releases, $release, $item);
while (my $line = <$in>) {
  chomp $line;
  if ($line =~ /^## \[([^\]]+)\](?: - (\d{4})-(\d\d)-(\d\d))?/) {
    $release = undef;
    $item = undef;
    next if lc $1 eq 'unreleased';
    defined $2 or die "$0: $source:$.: version $1 has no date\n";
    $release = {version => $1, date => [$2, $3, $4], groups => []};
    push @releases, $release;
  } elsif (!$release) {
    next;
  } elsif ($line =~ /^### (.+)$/) {
    push @{$release->{groups}}, {name => $1, items => []};
    $item = undef;
  } elsif ($line =~ /^- (.*)$/) {
    @{$release->{groups}} or die "$0: $source:$.: an entry outside a ### group\n";
    push @{$release->{groups}[-1]{items}}, $1;
    $item = \$release->{groups}[-1]{items}[-1];
  } elsif ($item && $line =~ /^\s+(\S.*)$/) {
    $$item .= " $1";
  } elsif ($line =~ /\S/) {
    die "$0: $source:$.: cannot read this line: $line\n";
  }
}
close($in);
@releases or die "$0: $source names no released version\n";

# Markdown marks that mean nothing in plain text.
sub plain {
  my ($text) = @_;
  $text =~ s/\[([^\]]*)\]\([^)]*\)/$1/g;
  $text =~ s/`//g;
  return $text;
}

setlocale(LC_TIME, "C");    # English day and month names
$Text::Wrap::columns = 79;
$Text::Wrap::huge = 'overflow';
open(my $out, '>', $target) or die "$0: $target: $!\n";
for my $i (0 .. $#releases) {
  my $r = $releases[$i];
  print $out "binario ($r->{version}) unstable; urgency=medium\n\n";
  for my $group (@{$r->{groups}}) {
    print $out "  * $group->{name}:\n";
    print $out wrap('    - ', '      ', plain($_)), "\n" for @{$group->{items}};
  }
  my ($year, $month, $day) = @{$r->{date}};
  # Versions released on one day follow each other an hour apart, so that
  # each entry is dated after the one before it.
  my $hour = grep { "@{$_->{date}}" eq "@{$r->{date}}" } @releases[$i + 1 .. $#releases];
  my $date = strftime('%a, %d %b %Y %H:00:00 +0000', 0, 0, $hour, $day, $month - 1, $year - 1900);
  print $out "\n -- $maintainer  $date\n";
  print $out "\n" unless $r == $releases[-1];
}
close($out) or die "$0: $target: $!\n";
