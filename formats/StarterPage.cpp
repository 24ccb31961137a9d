#include "StarterPage.h"

#include "FilePalette.h"

#include "core/Text.h"

namespace formats {

namespace {

/// The page's layout and the roles' uses; the roles' values come before it. Only custom
/// properties carry colours here, so the whole page follows its theme.
constexpr std::string_view kLayoutCss = R"css(
*, *::before, *::after { box-sizing: border-box; }
html {
  font-family: system-ui, -apple-system, "Segoe UI", Roboto, "Liberation Sans", Arial, sans-serif;
  line-height: 1.5;
  -webkit-text-size-adjust: 100%;
}
body { margin: 0; background: var(--bg); color: var(--text); }
a { color: var(--link); text-decoration: underline; text-underline-offset: 0.2em; }
.wrap { max-width: 64rem; margin: 0 auto; padding: 0 1.5rem; }
.visually-hidden {
  position: absolute; width: 1px; height: 1px; overflow: hidden;
  clip: rect(0 0 0 0); clip-path: inset(50%); white-space: nowrap;
}
.site-header { background: var(--surface); border-bottom: 1px solid var(--border); }
.site-header .wrap {
  display: flex; flex-wrap: wrap; align-items: center; gap: 1rem 2rem; padding-block: 1rem;
}
.brand { color: var(--text); font-size: 1.25rem; font-weight: 700; text-decoration: none; }
.site-nav ul { display: flex; flex-wrap: wrap; gap: 1.5rem; margin: 0; padding: 0; list-style: none; }
.site-nav a { color: var(--link); font-weight: 600; text-decoration: none; }
.site-nav a:hover { text-decoration: underline; }
.theme-switch {
  display: flex; gap: 0.75rem; margin: 0 0 0 auto; padding: 0.25rem 0.75rem;
  border: 1px solid var(--border); border-radius: 0.5rem; color: var(--text); font-size: 0.875rem;
}
.theme-switch input { accent-color: var(--primary); }
.hero { padding-block: 4rem 3rem; }
.hero h1 { margin: 0 0 1rem; font-size: clamp(2rem, 5vw, 3.25rem); line-height: 1.1; }
.hero p { max-width: 40rem; margin: 0 0 2rem; font-size: 1.125rem; }
.actions { display: flex; flex-wrap: wrap; gap: 1rem; }
.button {
  display: inline-block; padding: 0.75rem 1.5rem; border-radius: 0.5rem;
  font-weight: 700; text-decoration: none;
}
.button-primary { background: var(--primary); color: var(--on-primary); }
.button-secondary { background: var(--secondary); color: var(--on-secondary); }
.button:focus-visible, .site-nav a:focus-visible, a:focus-visible, .theme-switch input:focus-visible {
  outline: 3px solid var(--focus-ring); outline-offset: 2px;
}
.cards {
  display: grid; grid-template-columns: repeat(auto-fit, minmax(14rem, 1fr)); gap: 1.5rem;
  padding-block: 1rem 3rem;
}
.card {
  background: var(--surface); border: 1px solid var(--border); border-radius: 0.75rem;
  padding: 1.5rem;
}
.badge {
  display: inline-block; padding: 0.25rem 0.75rem; border-radius: 999px;
  background: var(--accent); color: var(--on-accent); font-size: 0.875rem; font-weight: 700;
}
.card h2 { margin: 1rem 0 0.5rem; font-size: 1.25rem; }
.card p { margin: 0; color: var(--text-muted); }
.signup { padding-block: 1rem 3rem; }
.signup h2, .story h2 { margin: 0 0 1rem; font-size: 1.5rem; }
.signup form { display: grid; gap: 0.5rem; max-width: 24rem; }
.signup label { font-weight: 600; }
.field {
  padding: 0.625rem 0.75rem; border: 1px solid var(--border); border-radius: 0.5rem;
  background: var(--bg); color: var(--text); font: inherit;
}
.field::placeholder { color: var(--text-muted); opacity: 1; }
/* the field is shown with its ring as it looks when reached by the keyboard */
.field:focus-visible, .field.is-focused { outline: 3px solid var(--focus-ring); outline-offset: 2px; }
.story { padding-block: 1rem 4rem; }
.story p { max-width: 40rem; margin: 0; }
.site-footer {
  padding-block: 2rem; border-top: 1px solid var(--border);
  background: var(--surface); color: var(--text-muted); font-size: 0.875rem;
}
.site-footer p { margin: 0; }
)css";

/// The page's body; "{{title}}" is the escaped title.
constexpr std::string_view kBody = R"html(<header class="site-header" id="site-header">
  <div class="wrap">
    <a class="brand" id="brand" href="#hero">{{title}}</a>
    <nav class="site-nav" id="site-nav" aria-label="Main">
      <ul>
        <li><a href="#cards">Features</a></li>
        <li><a href="#signup">Sign up</a></li>
        <li><a href="#story">About</a></li>
      </ul>
    </nav>
    <fieldset class="theme-switch" id="theme-switch">
      <legend class="visually-hidden">Theme</legend>
      <label><input type="radio" name="theme" id="theme-auto" checked> Auto</label>
      <label><input type="radio" name="theme" id="theme-light"> Light</label>
      <label><input type="radio" name="theme" id="theme-dark"> Dark</label>
    </fieldset>
  </div>
</header>
<main>
  <section class="hero wrap" id="hero">
    <h1 id="hero-title">{{title}}</h1>
    <p id="hero-text">A starter page in the colors of this scheme: background, surface, text,
      borders, buttons, badges, links and the focus ring, each a role with its value for a
      light and for a dark page.</p>
    <div class="actions">
      <a class="button button-primary" id="btn-primary" href="#signup">Get started</a>
      <a class="button button-secondary" id="btn-secondary" href="#cards">Learn more</a>
    </div>
  </section>
  <section class="cards wrap" id="cards" aria-label="Features">
    <article class="card" id="card-1">
      <span class="badge" id="badge-1">New</span>
      <h2>Light and dark</h2>
      <p>Every role has a light and a dark value; the page follows the system or the switch.</p>
    </article>
    <article class="card" id="card-2">
      <span class="badge" id="badge-2">Contrast</span>
      <h2>Readable pairs</h2>
      <p>Text, buttons and links are chosen by their contrast with what they sit on.</p>
    </article>
    <article class="card" id="card-3">
      <span class="badge" id="badge-3">Wide gamut</span>
      <h2>Exact colors</h2>
      <p>Colors beyond sRGB are shown as display-p3 on the screens that have it.</p>
    </article>
  </section>
  <section class="signup wrap" id="signup">
    <h2>Stay in touch</h2>
    <form action="#">
      <label for="email" id="email-label">Email address</label>
      <input class="field is-focused" type="email" id="email" name="email"
        placeholder="you@example.com" autocomplete="email">
    </form>
  </section>
  <section class="story wrap" id="story">
    <h2>About this page</h2>
    <p>Running text reads in the text color, and a
      <a id="story-link" href="#hero">link in running text</a> stands out by its color and
      its underline. Copy the custom properties at the top of this file into your own
      stylesheet to take the roles with you.</p>
  </section>
</main>
<footer class="site-footer" id="site-footer">
  <div class="wrap">
    <p>Made with ChromaLune.</p>
  </div>
</footer>
)html";

/// The roles' rules after :root: dark where the system prefers it, either theme where a
/// data-theme attribute asks for it, and where the page's switch does. The switch's rules win
/// by weight (its id), the attribute's over the system's by order, and an element with
/// data-theme passes its own values down to its part of the page.
std::string themeRules(const std::vector<PageRole>& roles, const RoleValues& valuesOf,
                       std::string_view indent, bool colorScheme) {
    return roleThemeRules(roles, valuesOf, "", indent, colorScheme) +
           roleRule(":root:has(#theme-light:checked)", roles, false, valuesOf, "", indent,
                    colorScheme ? "light" : "") +
           roleRule(":root:has(#theme-dark:checked)", roles, true, valuesOf, "", indent,
                    colorScheme ? "dark" : "");
}

} // namespace

std::string htmlEscaped(std::string_view text) {
    std::string out;
    for (const char32_t code : core::codePointsOf(text)) {
        switch (code) {
        case U'&':
            out += "&amp;";
            break;
        case U'<':
            out += "&lt;";
            break;
        case U'>':
            out += "&gt;";
            break;
        case U'"':
            out += "&quot;";
            break;
        case U'\'':
            out += "&#39;";
            break;
        default:
            if ((code < 0x20 && code != U'\t' && code != U'\n') || (code >= 0x7F && code < 0xA0))
                out += ' ';
            else
                core::appendUtf8(out, code);
        }
    }
    return out;
}

StarterPageContent starterPageOf(const colorscience::Roles& roles, std::string title) {
    return {std::move(title), roleProperties(roles)};
}

std::string starterPageText(const StarterPageContent& content) {
    std::string css = roleRule(":root", content.roles, false, hexRoleValues, "", "", "light dark") +
                      themeRules(content.roles, hexRoleValues, "", true);
    css += kLayoutCss;
    // beyond sRGB the same rules again, so that a theme's wide value never outweighs the other
    // theme's plain one: every rule sets each role that is wide in either theme
    const std::vector<PageRole> wide = wideRoles(content.roles);
    css += wideGamutRule(roleDeclarations(wide, false, wideRoleValues, ""),
                         themeRules(wide, wideRoleValues, "  ", false));

    const std::string title = htmlEscaped(content.title.empty() ? "Untitled" : content.title);
    std::string body(kBody);
    for (size_t at = body.find("{{title}}"); at != std::string::npos;
         at = body.find("{{title}}", at + title.size()))
        body.replace(at, 9, title);
    return "<!DOCTYPE html>\n"
           "<html lang=\"en\">\n"
           "<head>\n"
           "<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<meta name=\"color-scheme\" content=\"light dark\">\n"
           "<meta name=\"generator\" content=\"ChromaLune\">\n"
           "<title>" +
           title +
           "</title>\n"
           "<style>\n" +
           css +
           "</style>\n"
           "</head>\n"
           "<body>\n" +
           body + "</body>\n</html>\n";
}

} // namespace formats
