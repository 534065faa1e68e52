package korvane.str.diskarray.testing;

import java.util.GregorianCalendar;
import korvane.str.diskarray.StatisticalCommand;
import korvane.str.diskarray.StatisticalCommand_Info;

/** A performance sample with every LU entry and its time set, for the native tests. */
public class ReadySample extends StatisticalCommand {
  public ReadySample() {
    lu = new StatisticalCommand_Info[512];
    for (int i = 0; i < lu.length; ++i) {
      lu[i] = new StatisticalCommand_Info();
      lu[i].read_count = i;
      lu[i].write_count = -i;
    }
    mtime = new GregorianCalendar(2025, 0, 2, 3, 4, 5);
  }
}
