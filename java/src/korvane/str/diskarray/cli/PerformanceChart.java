package korvane.str.diskarray.cli;

import java.io.IOException;
import java.io.PrintStream;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.time.LocalDateTime;
import java.time.format.DateTimeFormatter;
import java.time.format.DateTimeParseException;
import java.time.temporal.ChronoUnit;
import java.util.ArrayList;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import java.util.TreeSet;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * {@code perf plot FILE.csv --out FILE.svg}: a line chart of the IOPS (reads
 * plus writes) of each LU over time, from a performance file of the station,
 * as a stand-alone SVG that a browser opens. Works on the file alone; no
 * station is opened. An LU with no row at a time had no commands then.
 */
final class PerformanceChart {
  static final String[] COLUMNS = {
    "time", "interval_s", "lu", "read_iops", "write_iops", "read_hit_ratio", "write_hit_ratio"
  };
  /** At most this many LUs get a line (the busiest); the legend counts the rest. */
  static final int MAX_LINES = 12;

  private static final DateTimeFormatter TIME = DateTimeFormatter.ofPattern("yyyy-MM-dd HH:mm:ss");
  private static final DateTimeFormatter CLOCK = DateTimeFormatter.ofPattern("HH:mm:ss");
  private static final String[] COLOURS = {
    "#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd", "#8c564b",
    "#e377c2", "#7f7f7f", "#bcbd22", "#17becf", "#393b79", "#637939"
  };
  private static final int WIDTH = 960;
  private static final int HEIGHT = 540;
  private static final int LEFT = 80;
  private static final int RIGHT = 140;
  private static final int TOP = 60;
  private static final int BOTTOM = 60;

  private final PrintStream out;

  PerformanceChart(PrintStream out) {
    this.out = out;
  }

  /**
   * Whether a perf command line is the chart's: 'perf plot FILE.csv'. A unit
   * named plot is sampled with 'perf plot --count N ...': the sampling options
   * say which is meant.
   */
  static boolean isPlot(Arguments arguments) {
    return "perf".equals(arguments.command) && !arguments.operands.isEmpty()
        && arguments.operands.get(0).equals("plot") && !arguments.has(Arguments.COUNT)
        && !arguments.has(Arguments.INTERVAL);
  }

  Step prepare(Arguments arguments) throws UsageException {
    Arguments plot = arguments.subcommand("plot FILE.csv --out FILE.svg");
    String input = plot.expectOperands("FILE.csv").get(0);
    plot.allowOnly(Set.of(Arguments.OUT, Arguments.FORCE));
    String output = plot.option(Arguments.OUT);
    if (output == null) {
      throw new UsageException("'perf plot' needs --out FILE.svg");
    }
    Path from = Paths.get(input);
    String name = from.getFileName() == null ? "chart" : from.getFileName().toString();
    Path to = OutputFile.resolve(output, name.replaceFirst("\\.csv$", "") + ".svg");
    boolean force = plot.has(Arguments.FORCE);
    return new Step("plot " + from, () -> {
      Series series = read(from);
      OutputFile.check(to, force);
      try {
        CallerFiles.writeText(to, svg(series, from.getFileName().toString()));
      } catch (IOException e) {
        throw new ToolFailure("cannot write " + Problems.describe(e));
      }
      int drawn = plotted(series).size();
      out.println("wrote a chart of " + (drawn == series.lus.size() ? drawn + " LUs"
          : "the " + drawn + " busiest of " + series.lus.size() + " LUs") + " over "
          + series.times.size() + (series.times.size() == 1 ? " time" : " times") + " to " + to);
    });
  }

  /** IOPS by LU and time. */
  static final class Series {
    final TreeSet<LocalDateTime> times = new TreeSet<>();
    final Map<Integer, Map<LocalDateTime, Double>> lus = new TreeMap<>();
  }

  static Series read(Path file) throws ToolFailure {
    List<String> lines;
    try {
      lines = CallerFiles.readLines(file);
    } catch (IOException e) {
      throw new ToolFailure("cannot read " + Problems.describe(e));
    }
    if (lines.isEmpty() || !lines.get(0).equals(String.join(",", COLUMNS))) {
      throw new ToolFailure(file + " is not a performance file: its first line must be "
          + String.join(",", COLUMNS));
    }
    Series series = new Series();
    for (int n = 1; n < lines.size(); n++) {
      String line = lines.get(n);
      if (line.isEmpty()) {
        continue;
      }
      String[] cells = line.split(",", -1);
      try {
        if (cells.length != COLUMNS.length) {
          throw new IllegalArgumentException("expected " + COLUMNS.length + " columns");
        }
        LocalDateTime time = LocalDateTime.parse(cells[0], TIME);
        int lu = Integer.parseInt(cells[2]);
        double iops = Double.parseDouble(cells[3]) + Double.parseDouble(cells[4]);
        if (!Double.isFinite(iops) || iops < 0) {
          throw new IllegalArgumentException("IOPS must be a number >= 0");
        }
        series.times.add(time);
        series.lus.computeIfAbsent(lu, k -> new TreeMap<>()).merge(time, iops, Double::sum);
      } catch (DateTimeParseException | IllegalArgumentException e) {
        throw new ToolFailure(file + " line " + (n + 1) + ": " + e.getMessage());
      }
    }
    return series;
  }

  /** The LUs that get a line: the busiest by total IOPS, in LU order. */
  static List<Integer> plotted(Series series) {
    List<Integer> lus = new ArrayList<>(series.lus.keySet());
    lus.sort((a, b) -> Double.compare(total(series, b), total(series, a)));
    List<Integer> chosen = new ArrayList<>(lus.subList(0, Math.min(MAX_LINES, lus.size())));
    chosen.sort(null);
    return chosen;
  }

  private static double total(Series series, int lu) {
    return series.lus.get(lu).values().stream().mapToDouble(Double::doubleValue).sum();
  }

  /** A round step that splits 0..max into about five parts. */
  static double tickStep(double max) {
    if (max <= 0) {
      return 1;
    }
    double raw = max / 5;
    double power = Math.pow(10, Math.floor(Math.log10(raw)));
    for (double factor : new double[] {1, 2, 5, 10}) {
      if (factor * power >= raw) {
        return factor * power;
      }
    }
    return 10 * power;
  }

  static String svg(Series series, String title) {
    List<Integer> lus = plotted(series);
    double max = 0;
    for (int lu : lus) {
      for (double value : series.lus.get(lu).values()) {
        max = Math.max(max, value);
      }
    }
    double step = tickStep(max);
    double top = Math.max(step, Math.ceil(max / step) * step);
    LocalDateTime first = series.times.isEmpty() ? null : series.times.first();
    long span = series.times.isEmpty() ? 0 : first.until(series.times.last(), ChronoUnit.SECONDS);
    int plotWidth = WIDTH - LEFT - RIGHT;
    int plotHeight = HEIGHT - TOP - BOTTOM;

    StringBuilder svg = new StringBuilder();
    svg.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg.append(String.format(Locale.ROOT,
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\""
            + " viewBox=\"0 0 %d %d\" font-family=\"sans-serif\" font-size=\"12\">%n",
        WIDTH, HEIGHT, WIDTH, HEIGHT));
    svg.append("<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n");
    svg.append(String.format(Locale.ROOT,
        "<text x=\"%d\" y=\"30\" font-size=\"16\">IOPS per LU (reads + writes): %s</text>%n",
        LEFT, xml(title)));

    // Axes, with a grid line and label at every tick.
    svg.append("<g class=\"axes\" stroke=\"#999\" fill=\"none\">\n");
    for (double value = 0; value <= top + step / 2; value += step) {
      double y = TOP + plotHeight - value / top * plotHeight;
      svg.append(String.format(Locale.ROOT,
          "<line x1=\"%d\" y1=\"%.1f\" x2=\"%d\" y2=\"%.1f\" stroke=\"#ddd\"/>%n",
          LEFT, y, LEFT + plotWidth, y));
    }
    svg.append(String.format(Locale.ROOT,
        "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>%n<line x1=\"%d\" y1=\"%d\" x2=\"%d\""
            + " y2=\"%d\"/>%n</g>%n",
        LEFT, TOP, LEFT, TOP + plotHeight, LEFT, TOP + plotHeight, LEFT + plotWidth,
        TOP + plotHeight));
    svg.append("<g class=\"labels\">\n");
    for (double value = 0; value <= top + step / 2; value += step) {
      double y = TOP + plotHeight - value / top * plotHeight;
      svg.append(String.format(Locale.ROOT,
          "<text x=\"%d\" y=\"%.1f\" text-anchor=\"end\">%s</text>%n", LEFT - 6, y + 4,
          trim(value)));
    }
    if (first != null) {
      // A single time gets a single label, in the middle.
      int ticks = (int) Math.min(6, span);
      for (int k = 0; k <= ticks; k++) {
        long offset = span == 0 ? 0 : span * k / ticks;
        double x = x(offset, span, plotWidth);
        svg.append(String.format(Locale.ROOT,
            "<text x=\"%.1f\" y=\"%d\" text-anchor=\"middle\">%s</text>%n", x,
            TOP + plotHeight + 20, first.plusSeconds(offset).format(CLOCK)));
      }
    }
    svg.append(String.format(Locale.ROOT,
        "<text x=\"%d\" y=\"%d\" text-anchor=\"middle\">time</text>%n",
        LEFT + plotWidth / 2, HEIGHT - 15));
    svg.append("</g>\n");

    // One line per LU; a time without a row is 0 IOPS.
    for (int i = 0; i < lus.size(); i++) {
      int lu = lus.get(i);
      Map<LocalDateTime, Double> values = series.lus.get(lu);
      StringBuilder points = new StringBuilder();
      for (LocalDateTime time : series.times) {
        double value = values.getOrDefault(time, 0.0);
        double x = x(first.until(time, ChronoUnit.SECONDS), span, plotWidth);
        double y = TOP + plotHeight - value / top * plotHeight;
        points.append(String.format(Locale.ROOT, "%.1f,%.1f ", x, y));
      }
      String colour = COLOURS[i % COLOURS.length];
      svg.append(String.format(Locale.ROOT,
          "<polyline class=\"lu\" data-lu=\"%d\" fill=\"none\" stroke=\"%s\""
              + " stroke-width=\"2\" points=\"%s\"/>%n",
          lu, colour, points.toString().trim()));
      if (series.times.size() == 1) {
        // A line through one point draws nothing: mark the point itself.
        String[] point = points.toString().trim().split(",");
        svg.append(String.format(Locale.ROOT,
            "<circle class=\"lu\" data-lu=\"%d\" cx=\"%s\" cy=\"%s\" r=\"4\""
                + " fill=\"%s\"/>%n",
            lu, point[0], point[1], colour));
      }
      int y = TOP + 10 + 18 * i;
      svg.append(String.format(Locale.ROOT,
          "<rect x=\"%d\" y=\"%d\" width=\"12\" height=\"12\" fill=\"%s\"/>"
              + "<text x=\"%d\" y=\"%d\">LU %d</text>%n",
          WIDTH - RIGHT + 20, y - 10, colour, WIDTH - RIGHT + 38, y, lu));
    }
    int hidden = series.lus.size() - lus.size();
    if (hidden > 0) {
      svg.append(String.format(Locale.ROOT, "<text x=\"%d\" y=\"%d\">and %d more</text>%n",
          WIDTH - RIGHT + 20, TOP + 10 + 18 * lus.size(), hidden));
    }
    if (lus.isEmpty()) {
      svg.append(String.format(Locale.ROOT,
          "<text x=\"%d\" y=\"%d\" text-anchor=\"middle\">no LU had commands</text>%n",
          LEFT + plotWidth / 2, TOP + plotHeight / 2));
    }
    svg.append("</svg>\n");
    return svg.toString();
  }

  private static double x(long offset, long span, int plotWidth) {
    return span == 0 ? LEFT + plotWidth / 2.0 : LEFT + (double) offset / span * plotWidth;
  }

  private static String trim(double value) {
    return value == Math.rint(value) ? String.valueOf((long) value)
        : String.format(Locale.ROOT, "%.2f", value);
  }

  private static String xml(String text) {
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
        .replace("\"", "&quot;");
  }
}
