// LaunchedGame.exe STORE-OPTION... -- NUNIT-CONSOLE-ARGUMENT...
//
// Stands in for a game a store's launcher started with its own options (the Epic launcher passes
// its sign-in on the game's command line): it carries those options in its command line, where
// the library reads them, and runs the NUnit console in this same process on the arguments after
// "--".
using System;

public static class LaunchedGame
{
    public static int Main(string[] arguments)
    {
        int separator = Array.IndexOf(arguments, "--");
        if (separator < 0)
        {
            Console.Error.WriteLine("usage: LaunchedGame.exe STORE-OPTION... -- NUNIT-CONSOLE-ARGUMENT...");
            return 2;
        }
        string[] console = new string[arguments.Length - separator - 1];
        Array.Copy(arguments, separator + 1, console, 0, console.Length);
        return AppDomain.CurrentDomain.ExecuteAssembly("/usr/lib/nunit/nunit-console.exe", console);
    }
}
