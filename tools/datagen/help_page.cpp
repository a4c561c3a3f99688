#include "datagen/help_page.h"

namespace somnara::datagen {

namespace {

constexpr const char* kHead = R"HTML(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Somnara Help</title>
<style>
  body {
    margin: 0;
    background: #0b1026;
    color: #e4e2f0;
    font-family: "DejaVu Sans", Verdana, sans-serif;
    font-size: 16px;
    line-height: 1.6;
  }
  header {
    background: linear-gradient(#151c44, #0b1026);
    padding: 40px 24px 28px;
    text-align: center;
    border-bottom: 1px solid #2a3266;
  }
  header h1 { margin: 0; font-size: 40px; letter-spacing: 2px; color: #f6e7b0; }
  header p { margin: 8px 0 0; color: #b9b6d3; }
  .moon {
    display: inline-block;
    width: 44px;
    height: 44px;
    border-radius: 50%;
    box-shadow: 10px -6px 0 0 #f6e7b0;
    margin-bottom: 12px;
    transform: rotate(-10deg);
  }
  main { max-width: 820px; margin: 0 auto; padding: 8px 24px 48px; }
  nav {
    background: #141a3c;
    border: 1px solid #2a3266;
    border-radius: 10px;
    padding: 12px 20px;
    margin: 24px 0;
  }
  nav ol { margin: 4px 0; padding-left: 22px; }
  a { color: #9fc3ff; }
  h2 {
    color: #f6e7b0;
    border-bottom: 1px solid #2a3266;
    padding-bottom: 4px;
    margin-top: 40px;
  }
  h3 { color: #d8d0ff; margin-bottom: 4px; }
  .caption {
    font-family: Tahoma, "DejaVu Sans", sans-serif;
    background: #2a3266;
    color: #ffffff;
    border-radius: 4px;
    padding: 0 6px;
    white-space: nowrap;
  }
  .tip {
    background: #16244a;
    border-left: 4px solid #6f9cf2;
    padding: 10px 14px;
    border-radius: 0 8px 8px 0;
    margin: 16px 0;
  }
  .care {
    background: #3a2233;
    border-left: 4px solid #f29a6f;
    padding: 10px 14px;
    border-radius: 0 8px 8px 0;
    margin: 16px 0;
  }
  table { border-collapse: collapse; width: 100%; margin: 12px 0; }
  th, td { border: 1px solid #2a3266; padding: 6px 10px; text-align: left; vertical-align: top; }
  th { background: #151c44; color: #f6e7b0; }
  td:first-child { white-space: nowrap; }
  code { background: #151c44; padding: 1px 5px; border-radius: 4px; color: #f6e7b0; }
  pre {
    background: #151c44;
    border: 1px solid #2a3266;
    padding: 12px 16px;
    border-radius: 8px;
    color: #f6e7b0;
  }
  footer { text-align: center; color: #7d7aa0; font-size: 14px; padding: 24px; }
</style>
</head>
<body>
)HTML";

constexpr const char* kBody = R"HTML(<header>
  <div class="moon"></div>
  <h1>Somnara</h1>
  <p>A gentle routine that helps you fall asleep easily</p>
</header>
<main>

<nav>
  <strong>Contents</strong>
  <ol>
    <li><a href="#start">Starting Somnara</a></li>
    <li><a href="#main">The main window</a></li>
    <li><a href="#wizard">Setting up your night: steps 1 to 3</a></li>
    <li><a href="#focus">Step 4: focus on the red circle</a></li>
    <li><a href="#breathe">Step 5: breathe deeply</a></li>
    <li><a href="#sleep">The sleep phase</a></li>
    <li><a href="#finish">When the music ends</a></li>
    <li><a href="#settings">Your settings: option.ini</a></li>
    <li><a href="#questions">Questions and answers</a></li>
  </ol>
</nav>

<h2 id="start">1. Starting Somnara</h2>
<p>When you start Somnara, the whole screen turns into a dark, starry night sky and a short,
calm tune plays once. A second later the main window slowly appears in the middle of the
screen. The starry sky stays behind all of Somnara's windows until the program ends, so
nothing else on the screen distracts you.</p>
<p>Somnara needs no installation. Everything it uses lies in its own folder: the program,
the nature sounds, the spoken guidance, the start-up tune, the small moon picture and this
help page. You can copy the whole folder to another place and start the program from there.</p>

<h2 id="main">2. The main window</h2>
<p>The main window has two buttons:</p>
<table>
  <tr><th>Button</th><th>What it does</th></tr>
  <tr><td><span class="caption">Start Somnara</span></td>
      <td>Stops the start-up tune and begins your evening routine with the set-up wizard.</td></tr>
  <tr><td><span class="caption">Menu</span></td>
      <td>Opens a small menu below the button.</td></tr>
</table>
<p>The menu offers:</p>
<ul>
  <li><strong>Start Somnara</strong> &ndash; the same as the button.</li>
  <li><strong>Help Contents</strong> &ndash; opens this page in your web browser.</li>
  <li><strong>Home Page</strong> &ndash; opens our home page in your web browser.</li>
  <li><strong>About...</strong> &ndash; shows the program's name and version, with links to our
      home page and our support address.</li>
  <li><strong>Support Or Feedback</strong> &ndash; starts a new e-mail to us in your e-mail
      program. We are glad to hear from you.</li>
  <li><strong>Exit</strong> &ndash; ends Somnara at once. Closing the main window with the
      button in its title bar does the same.</li>
</ul>

<h2 id="wizard">3. Setting up your night: steps 1 to 3</h2>
<p><span class="caption">Start Somnara</span> opens the wizard. It first shows a short
introduction:</p>
<div class="care">Please save your work and close all open files first. At the end of the
night Somnara can shut the computer down, and unsaved work would be lost.</div>
<p>Press <span class="caption">OK</span> to begin, or <span class="caption">Cancel</span> to go
back to the main window. You can also close the wizard on any page with the button in its
title bar; you then return to the main window, and whatever you saved on earlier pages stays
saved. The wizard only moves forward: each page has a <span class="caption">Next</span>
button.</p>

<h3>Step 1: a glass of water</h3>
<p>Put a glass of water on the table by your bed, but don't drink it yet. Continue only when
the glass is in its place.</p>

<h3>Step 2: choose your sound and volume</h3>
<p>Choose the nature sound you would like to fall asleep to from the
<strong>Music</strong> list:</p>
<table>
  <tr><th>Sound</th><th>What you hear</th></tr>
  <tr><td>Natural sound</td><td>A warm summer night: crickets, a light breeze and, far away,
      an owl.</td></tr>
  <tr><td>Natural sound(stereo)</td><td>The same summer night in stereo: the crickets sing
      all around you. Best with headphones or two speakers.</td></tr>
  <tr><td>Ocean wave</td><td>Slow waves rolling onto a sandy beach.</td></tr>
  <tr><td>Seabird</td><td>Gulls calling over a calm sea.</td></tr>
  <tr><td>Bicker</td><td>A small brook bickering and babbling over stones.</td></tr>
  <tr><td>Drip</td><td>Drops of water falling into still pools in a quiet cave.</td></tr>
  <tr><td>Bird</td><td>Song birds in a wood, with leaves moving in the wind.</td></tr>
</table>
<p>Press <span class="caption">Test Sound</span> to listen to the chosen sound; the button
then reads <span class="caption">Stop</span>, and pressing it again stops the sound. Choosing
another sound or pressing <span class="caption">Next</span> stops the test as well.</p>
<p>Move the <strong>Volume</strong> slider until the sound is comfortable. The slider sets
your computer's own sound volume, and you hear a short beep when you let go of it. Choose a
level that is soft but clear: the sound should carry you, not keep you awake.</p>

<h3>Step 3: play time and what happens afterwards</h3>
<ul>
  <li><strong>The hypnotic music play ... mins</strong>: how many minutes the nature sound
      plays once you are in bed. The first time it is 30 minutes.</li>
  <li><strong>Fading out effect</strong>: when ticked, the sound becomes quieter and quieter
      during the last 100 seconds, so it ends without waking you.</li>
  <li><strong>Activate the following command after finish</strong>: what the computer does
      when the play time is over:</li>
</ul>
<table>
  <tr><th>Command</th><th>Meaning</th></tr>
  <tr><td>DoNothing</td><td>The computer stays on.</td></tr>
  <tr><td>StandBy</td><td>The computer goes to stand-by (sleep) and wakes quickly later.</td></tr>
  <tr><td>Hibernate</td><td>The computer saves its state to disk and switches off.</td></tr>
  <tr><td>ShutDown</td><td>The computer shuts down and switches off. This is the choice
      Somnara starts with.</td></tr>
  <tr><td>ShutDown(force)</td><td>The computer shuts down even if other programs are still
      open; their unsaved work is lost.</td></tr>
</table>
<p>If you are not sure, keep the defaults. <span class="caption">Next</span> saves your
choices, the wizard fades away and the routine begins. From now on you have nothing more to
press.</p>

<h2 id="focus">4. Step 4: focus on the red circle</h2>
<p>A large red circle appears. Look at it calmly for about two minutes, relax your body and
try not to think of anything. After ten seconds the text disappears and a soft voice begins
to guide you: it asks you to rest your eyes on the circle, to let your body grow heavy and
to breathe slowly. The guidance repeats while the circle is shown. A small moon and a clock
now appear in the corner of the starry sky.</p>

<h2 id="breathe">5. Step 5: breathe deeply</h2>
<p>Breathe deeply three times:</p>
<ol>
  <li>Breathe in ... slowly, and deeply.</li>
  <li>Breathe out ... slowly, and deeply.</li>
  <li>Repeat three times.</li>
</ol>
<p>The voice finishes what it is saying and then falls silent. After half a minute this step
fades away by itself.</p>

<h2 id="sleep">6. The sleep phase</h2>
<p>Now, please go to bed. The last window says so, and half a minute later your nature sound
begins. It plays over and over for the number of minutes you chose in step 3. Every half
minute Somnara asks the screen to switch off, so its light does not disturb you. With the
fading out effect on, the sound slowly falls silent over its last 100 seconds.</p>
<p>Please don't end Somnara before the time is up. If you really need to, the
<span class="caption">Exit</span> button of this window ends the program at once; then
nothing further happens, and the computer stays on.</p>
<div class="tip">Sleep comes easiest in a dark, quiet, slightly cool room. Somnara works best
when you follow each step as it comes, without hurrying.</div>

<h2 id="finish">7. When the music ends</h2>
<p>When the play time is over, the sound stops and the window shows
<em>"Somnara has been finished. Good night..."</em>. Then the computer carries out the command
you chose in step 3 (stand-by, hibernate, shut down or nothing), and six seconds later Somnara
ends by itself.</p>

<h2 id="settings">8. Your settings: option.ini</h2>
<p>Somnara remembers your choices in a small text file named <code>option.ini</code> in its
own folder. It is written when you press <span class="caption">Next</span> on steps 2 and 3,
and the next time you use the wizard it offers your last choices again. A typical file looks
like this:</p>
<pre>[Option]
music=0
volume=100
vol=30
fout=1
exe=3</pre>
<table>
  <tr><th>Key</th><th>Meaning</th></tr>
  <tr><td><code>music</code></td><td>The chosen sound: 0 Natural sound, 1 Natural sound(stereo),
      2 Ocean wave, 3 Seabird, 4 Bicker, 5 Drip, 6 Bird.</td></tr>
  <tr><td><code>volume</code></td><td>The position of the volume slider, 0 to 255, as you last
      left it. The slider itself always starts from your computer's current volume.</td></tr>
  <tr><td><code>vol</code></td><td>The play time in minutes (despite its name, not a
      volume).</td></tr>
  <tr><td><code>fout</code></td><td>The fading out effect: 1 on, 0 off.</td></tr>
  <tr><td><code>exe</code></td><td>The command after the end: 0 DoNothing, 1 StandBy,
      2 Hibernate, 3 ShutDown, 4 ShutDown(force).</td></tr>
</table>
<p>You never need to edit this file. If you delete it, Somnara simply starts again with its
defaults: 30 minutes, fading on, ShutDown and the first sound. Somnara must be allowed to
write into its own folder to save your choices; otherwise it tells you that it is
<em>unable to write</em> the file.</p>

<h2 id="questions">9. Questions and answers</h2>
<h3>I hear nothing.</h3>
<p>Check the volume slider in step 2 and your computer's sound settings, and make sure the
sound files are still in Somnara's folder next to the program.</p>
<h3>Can I stop the routine halfway?</h3>
<p>Until the end of step 3 you can close the wizard and return to the main window. Once the
routine has begun it runs to its end; in the sleep phase the
<span class="caption">Exit</span> button ends the program at once.</p>
<h3>The play time I typed is not a number.</h3>
<p>Please type whole minutes, for example 20 or 45. Somnara shows a message when the play time
cannot be read, and the night then ends shortly after the sound starts.</p>

</main>
<footer>Sleep well. &#9790;</footer>
</body>
</html>
)HTML";

}  // namespace

std::string RenderHelpPage() {
  return std::string(kHead) + kBody;
}

}  // namespace somnara::datagen
