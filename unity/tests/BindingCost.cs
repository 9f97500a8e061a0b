// BindingCost.exe: what the C# binding itself costs, beside the native call it wraps.
//
// Run it with the library alone in a folder (no store runtime beside it, so every request is
// answered at once by the library's default channel):
//   mkdir /tmp/cost && cp build/posix/bin/libVyroChannel.so /tmp/cost
//   LD_LIBRARY_PATH=/tmp/cost mono build/posix/unity/BindingCost.exe
using System;
using System.Diagnostics;
using System.Runtime.InteropServices;
using System.Text;
using Vyro;

public static class BindingCost
{
    private const int Rounds = 200000;

    [UnmanagedFunctionPointer(CallingConvention.Cdecl)]
    private delegate void ResultCallback(int code, IntPtr json);

    private static readonly ResultCallback Ignore = (code, json) => { };

    [DllImport("VyroChannel", CallingConvention = CallingConvention.Cdecl)]
    private static extern void VyroChannel_Products(byte[] parameters, ResultCallback callback);

    public static void Main()
    {
        byte[] parameters = Encoding.UTF8.GetBytes("{\"productIds\":[\"gems_100\"],\"requestId\":\"vyro-1\"}\0");
        string[] productIds = { "gems_100" };
        Measure("warm-up", () => { VyroChannel.Products(productIds); VyroChannel.Pump(); }, Rounds / 10);

        double native = Measure("native call alone", () => VyroChannel_Products(parameters, Ignore), Rounds);
        double binding = Measure("request round trip through the binding",
                                 () => { VyroChannel.Products(productIds); VyroChannel.Pump(); }, Rounds);
        Console.WriteLine("managed overhead per request: {0:F2} us", binding - native);

        Measure("idle frame (Pump)", VyroChannel.Pump, Rounds);
        long before = GC.GetAllocatedBytesForCurrentThread();
        for (int frame = 0; frame < Rounds; frame++) VyroChannel.Pump();
        long allocated = GC.GetAllocatedBytesForCurrentThread() - before;
        Console.WriteLine("managed bytes allocated by {0} idle frames: {1}", Rounds, allocated);
    }

    private static double Measure(string what, Action round, int count)
    {
        Stopwatch clock = Stopwatch.StartNew();
        for (int index = 0; index < count; index++) round();
        double microseconds = clock.Elapsed.TotalMilliseconds * 1000.0 / count;
        Console.WriteLine("{0}: {1:F2} us", what, microseconds);
        return microseconds;
    }
}
